// The engraving font reader on any text (lines split at "\n"), then text engraved with what
// it read, straight and on a circle. The glyph table must be consistent and every stroke and
// every element finite.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "geometry/forma_daten.h"
#include "geometry/forma_geom.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static movra::TFormaDaten daten;
  static movra::TFormaGeom geom(daten, "");
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  geom.FontText.clear();
  std::size_t start = 0;
  for (;;) {
    const std::size_t cut = input.find('\n', start);
    geom.FontText.emplace_back(
        input.substr(start, cut == std::string_view::npos ? cut : cut - start));
    if (cut == std::string_view::npos) break;
    start = cut + 1;
  }
  const bool loaded = geom.LoadEngravingFont();
  if (geom.GlyphLast != static_cast<int>(geom.Glyphs.size()) - 1) __builtin_trap();
  if (!loaded && (geom.GlyphLast != -1 || geom.SpaceWidth != 0)) __builtin_trap();
  if (!std::isfinite(geom.SpaceWidth) || geom.SpaceWidth < 0) __builtin_trap();
  for (const movra::TFormaGeom::TGlyph& g : geom.Glyphs) {
    for (const double v : {g.Code, g.Kind, g.V1, g.V2, g.V3, g.V4, g.V5})
      if (!std::isfinite(v)) __builtin_trap();
  }

  geom.ClearElements();
  const std::string text = "AZ az 09 %|{ Gr\xC3\xB6\xC3\x9F" "e \xD0\x96 \xFF";
  geom.EngraveText(text, 1, 10, -5, 0.5, 0, 7, 1);
  geom.EngraveText(text, 2, 0, 0, 0, 120, 9, 2);
  for (int slot = 1; slot <= geom.ElementCount(); ++slot) {
    const movra::TFormaGeom::GeomT* e = geom.Elements(slot);
    if (!e) continue;
    for (const double v : {e->V1, e->V2, e->V3, e->V4, e->V5})
      if (!std::isfinite(v)) __builtin_trap();
  }
  return 0;
}
