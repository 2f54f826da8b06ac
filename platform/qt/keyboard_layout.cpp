#include "platform/qt/keyboard_layout.h"

#include <QGuiApplication>
#include <QInputMethod>
#include <QLocale>
#include <QProcess>
#include <QStandardPaths>
#include <array>
#include <string>

namespace movra::platform {
namespace {

struct XkbLanguage {
  std::string_view Layout;
  std::uint16_t LanguageId;
};

// The XKB layouts of the languages the program speaks, and British English, which is not US.
constexpr std::array<XkbLanguage, 4> kXkbLanguages = {{
    {"de", 0x0407},
    {"us", 0x0409},
    {"ru", 0x0419},
    {"gb", 0x0809},
}};

// High half of a variant layout; any value other than the language id would do.
constexpr std::uint32_t kVariantHigh = 0xF0010000;

std::uint32_t Plain(std::uint16_t languageId) {
  return (static_cast<std::uint32_t>(languageId) << 16) | languageId;
}

std::string_view Trim(std::string_view s) {
  const auto first = s.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  const auto last = s.find_last_not_of(" \t\r");
  return s.substr(first, last - first + 1);
}

// The first entry of a comma-separated list.
std::string_view FirstOf(std::string_view list) { return Trim(list.substr(0, list.find(','))); }

}  // namespace

std::uint32_t LayoutFromXkb(std::string_view Layout, std::string_view Variant) {
  for (const XkbLanguage& language : kXkbLanguages)
    if (language.Layout == Layout)
      return Variant.empty() ? Plain(language.LanguageId) : kVariantHigh | language.LanguageId;
  return LayoutUnknown;
}

std::uint32_t LayoutFromLocale(const QLocale& Locale) {
  switch (Locale.language()) {
    case QLocale::German:
      return LayoutGerman;
    case QLocale::English:
      return Locale.territory() == QLocale::UnitedStates ? LayoutEnglishUS : Plain(0x0809);
    case QLocale::Russian:
      return LayoutRussian;
    default:
      return LayoutUnknown;
  }
}

std::optional<std::uint32_t> LayoutFromXkbQuery(std::string_view QueryOutput) {
  std::optional<std::string_view> layout;
  std::string_view variant;
  while (!QueryOutput.empty()) {
    const auto end = QueryOutput.find('\n');
    const std::string_view line = QueryOutput.substr(0, end);
    QueryOutput = end == std::string_view::npos ? std::string_view() : QueryOutput.substr(end + 1);
    const auto colon = line.find(':');
    if (colon == std::string_view::npos) continue;
    const std::string_view key = Trim(line.substr(0, colon));
    const std::string_view value = line.substr(colon + 1);
    if (key == "layout") layout = FirstOf(value);
    if (key == "variant") variant = FirstOf(value);
  }
  if (!layout || layout->empty()) return std::nullopt;
  return LayoutFromXkb(*layout, variant);
}

std::uint32_t KeyboardLayout() {
  const QByteArray envLayout = qgetenv("XKB_DEFAULT_LAYOUT");
  if (!envLayout.isEmpty()) {
    const std::string layout = envLayout.toStdString();
    const std::string variant = qgetenv("XKB_DEFAULT_VARIANT").toStdString();
    return LayoutFromXkb(FirstOf(layout), FirstOf(variant));
  }
  if (QGuiApplication::platformName() == QLatin1String("xcb")) {
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("setxkbmap"));
    if (!tool.isEmpty()) {
      QProcess query;
      query.start(tool, {QStringLiteral("-query")});
      // The server answers at once; a hung query must not hold up the start.
      if (query.waitForFinished(1000) && query.exitStatus() == QProcess::NormalExit &&
          query.exitCode() == 0) {
        const std::string output = query.readAllStandardOutput().toStdString();
        if (const auto layout = LayoutFromXkbQuery(output)) return *layout;
      }
    }
  }
  if (const QInputMethod* input = QGuiApplication::inputMethod())
    return LayoutFromLocale(input->locale());
  return LayoutFromLocale(QLocale::system());
}

}  // namespace movra::platform
