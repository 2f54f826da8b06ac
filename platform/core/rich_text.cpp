#include "platform/core/rich_text.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <unordered_map>

#include "platform/core/text_encoding.h"
#include "platform/core/text_file.h"

namespace movra::platform {
namespace {

// Groups nested deeper than this give no text: a file of nothing but "{" must not take memory
// in proportion to its size.
constexpr std::size_t MaxGroupDepth = 512;
// A font table larger than this is a hostile one; further fonts take the document's code page.
constexpr std::size_t MaxFonts = 4096;
// Control words are at most 32 letters; parameters are clamped to the range of a 32-bit value.
constexpr std::size_t MaxControlWordLetters = 32;
constexpr std::int64_t MaxParameter = 2147483647;

constexpr int CodePageCyrillic = 1251;
constexpr int CodePageWestern = 1252;

// Only the two single-byte code pages of the system are decoded; any other is read as Western.
int KnownCodePage(std::int64_t CodePage) {
  return CodePage == CodePageCyrillic ? CodePageCyrillic : CodePageWestern;
}

// The code page of a font's character set; the default set (1) follows the document.
int CharsetCodePage(std::int64_t Charset, int DocumentCodePage) {
  if (Charset == 204) return CodePageCyrillic;
  if (Charset == 1) return DocumentCodePage;
  return CodePageWestern;
}

// UTF-8 of every byte of both code pages, built once.
struct ByteTables {
  std::array<std::string, 256> cyrillic;
  std::array<std::string, 256> western;
  ByteTables() {
    for (int b = 0; b < 256; ++b) {
      const char byte = static_cast<char>(b);
      cyrillic[static_cast<std::size_t>(b)] = Cp1251ToUtf8(std::string_view(&byte, 1));
      western[static_cast<std::size_t>(b)] = Cp1252ToUtf8(std::string_view(&byte, 1));
    }
  }
};

const ByteTables& Tables() {
  static const ByteTables tables;
  return tables;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Groups whose text is not part of the document.
constexpr std::string_view HiddenDestinations[] = {
    "annotation", "author",     "bkmkend",    "bkmkstart",  "colorschememapping",
    "colortbl",   "comment",    "datastore",  "fldinst",    "footer",
    "footerf",    "footerl",    "footerr",    "footnote",   "generator",
    "header",     "headerf",    "headerl",    "headerr",    "info",
    "latentstyles", "listoverridetable", "listtable", "listtext", "object",
    "operator",   "pict",       "pn",         "pntext",     "private",
    "rsidtbl",    "stylesheet", "themedata",  "title",      "xmlnsdecl",
    "xe",         "tc",         "revtbl",     "filetbl",    "objdata",
};

bool IsHiddenDestination(std::string_view word) {
  return std::find(std::begin(HiddenDestinations), std::end(HiddenDestinations), word) !=
         std::end(HiddenDestinations);
}

// One run over a document.
class Reader {
 public:
  explicit Reader(std::string_view bytes) : in_(bytes) { out_.reserve(bytes.size() / 2); }

  std::string Run() {
    while (pos_ < in_.size() && !finished_) {
      const char c = in_[pos_++];
      switch (c) {
        case '{':
          OpenGroup();
          break;
        case '}':
          CloseGroup();
          break;
        case '\\':
          ControlSequence();
          break;
        case '\r':
        case '\n':
          break;  // line ends of the file are no text
        default:
          Byte(static_cast<unsigned char>(c));
          break;
      }
    }
    if (highSurrogate_ != 0) Character(0xFFFD);
    return std::move(out_);
  }

 private:
  struct Group {
    int codePage = CodePageWestern;
    std::int64_t unicodeSkip = 1;  // characters that stand for each \u character
    bool hidden = false;
    bool fontTable = false;
  };

  Group& Current() { return stack_.back(); }

  void OpenGroup() {
    pendingSkip_ = 0;
    if (excessDepth_ > 0 || stack_.size() >= MaxGroupDepth) {
      ++excessDepth_;
      return;
    }
    stack_.push_back(stack_.empty() ? Group{documentCodePage_} : Current());
  }

  void CloseGroup() {
    pendingSkip_ = 0;
    if (excessDepth_ > 0) {
      --excessDepth_;
      return;
    }
    if (stack_.empty()) return;  // a stray brace before the document
    const bool fontTable = Current().fontTable;
    stack_.pop_back();
    // Text before any font is chosen is in the document's default font.
    if (fontTable && !stack_.empty() && currentFont_ < 0) {
      const auto font = fonts_.find(defaultFont_);
      if (font != fonts_.end()) Current().codePage = font->second;
    }
    // The brace that closes the document ends it; what follows is no part of it.
    if (stack_.empty()) finished_ = true;
  }

  bool Hidden() const { return excessDepth_ > 0 || stack_.empty() || stack_.back().hidden; }

  // A character of the text, after the characters that stand for a \u character are skipped.
  bool Skipping() {
    if (pendingSkip_ == 0) return false;
    --pendingSkip_;
    return true;
  }

  void Byte(unsigned char b) {
    if (Skipping() || Hidden()) return;
    if (b < 0x80) {
      Character(b);
      return;
    }
    if (highSurrogate_ != 0) Character(0xFFFD);
    highSurrogate_ = 0;
    const ByteTables& tables = Tables();
    out_ += Current().codePage == CodePageCyrillic ? tables.cyrillic[b] : tables.western[b];
  }

  void Character(char32_t c) {
    if (highSurrogate_ != 0 && (c < 0xDC00 || c > 0xDFFF)) {
      highSurrogate_ = 0;
      AppendUtf8(out_, 0xFFFD);
    }
    if (c >= 0xD800 && c <= 0xDBFF) {
      highSurrogate_ = c;
      return;
    }
    if (c >= 0xDC00 && c <= 0xDFFF) {
      if (highSurrogate_ == 0) {
        AppendUtf8(out_, 0xFFFD);
        return;
      }
      c = 0x10000 + ((highSurrogate_ - 0xD800) << 10) + (c - 0xDC00);
      highSurrogate_ = 0;
    }
    // Controls other than tab and line end are no text of a list.
    if (c < 0x20 && c != '\t' && c != '\n') return;
    AppendUtf8(out_, c);
  }

  void Text(char32_t c) {
    if (!Hidden()) Character(c);
  }

  void ControlSequence() {
    if (pos_ >= in_.size()) return;  // a backslash at the very end
    const char c = in_[pos_];
    if (IsLetter(c)) {
      ControlWord();
      return;
    }
    ++pos_;
    switch (c) {
      case '\'': {
        int value = 0;
        int digits = 0;
        while (digits < 2 && pos_ < in_.size() && HexValue(in_[pos_]) >= 0) {
          value = value * 16 + HexValue(in_[pos_++]);
          ++digits;
        }
        if (digits > 0) Byte(static_cast<unsigned char>(value));
        break;
      }
      case '\\':
      case '{':
      case '}':
        if (!Skipping()) Text(static_cast<unsigned char>(c));
        break;
      case '~':
        if (!Skipping()) Text(0x00A0);
        break;
      case '_':
        if (!Skipping()) Text('-');
        break;
      case '\r':
      case '\n':
        if (!Skipping()) Text('\n');
        break;
      case '*':
        if (!stack_.empty() && excessDepth_ == 0) Current().hidden = true;
        break;
      case '\t':
        if (!Skipping()) Text('\t');
        break;
      default:
        break;  // "\-" optional hyphen, "\:" index entries and unknown symbols give nothing
    }
  }

  void ControlWord() {
    const std::size_t begin = pos_;
    while (pos_ < in_.size() && IsLetter(in_[pos_])) ++pos_;
    std::string_view word = in_.substr(begin, pos_ - begin);
    if (word.size() > MaxControlWordLetters) word = word.substr(0, MaxControlWordLetters);

    bool hasParameter = false;
    bool negative = false;
    std::int64_t parameter = 0;
    if (pos_ < in_.size() && in_[pos_] == '-' && pos_ + 1 < in_.size() && IsDigit(in_[pos_ + 1])) {
      negative = true;
      ++pos_;
    }
    while (pos_ < in_.size() && IsDigit(in_[pos_])) {
      hasParameter = true;
      parameter = std::min(MaxParameter, parameter * 10 + (in_[pos_] - '0'));
      ++pos_;
    }
    if (negative) parameter = -parameter;
    if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;  // the delimiter belongs to the word

    if (word == "bin") {
      // Raw bytes follow: skip them, however many the file claims.
      const std::size_t count = hasParameter && parameter > 0 ? static_cast<std::size_t>(parameter) : 0;
      pos_ += std::min(count, in_.size() - pos_);
      return;
    }
    if (word == "u") {
      if (!hasParameter || Skipping()) return;
      // A signed 16-bit value; anything outside that range is no character.
      const std::int64_t unit = parameter < 0 ? parameter + 65536 : parameter;
      Text(unit >= 0 && unit <= 0xFFFF ? static_cast<char32_t>(unit) : char32_t{0xFFFD});
      pendingSkip_ = stack_.empty() ? 1 : Current().unicodeSkip;
      return;
    }
    if (Skipping()) return;  // a control word stands for one character of the skipped ones
    Word(word, hasParameter, parameter);
  }

  void Word(std::string_view word, bool hasParameter, std::int64_t parameter) {
    if (stack_.empty() || excessDepth_ > 0) return;
    Group& group = Current();
    if (word == "par" || word == "line" || word == "sect" || word == "page" || word == "row") {
      Text('\n');
    } else if (word == "tab" || word == "cell" || word == "nestcell") {
      Text('\t');
    } else if (word == "emdash") {
      Text(0x2014);
    } else if (word == "endash") {
      Text(0x2013);
    } else if (word == "bullet") {
      Text(0x2022);
    } else if (word == "lquote") {
      Text(0x2018);
    } else if (word == "rquote") {
      Text(0x2019);
    } else if (word == "ldblquote") {
      Text(0x201C);
    } else if (word == "rdblquote") {
      Text(0x201D);
    } else if (word == "emspace" || word == "enspace" || word == "qmspace") {
      Text(' ');
    } else if (word == "uc") {
      if (hasParameter) group.unicodeSkip = std::clamp<std::int64_t>(parameter, 0, 16);
    } else if (word == "ansicpg") {
      if (hasParameter) {
        documentCodePage_ = KnownCodePage(parameter);
        if (currentFont_ < 0) group.codePage = documentCodePage_;
      }
    } else if (word == "fonttbl") {
      group.fontTable = true;
      group.hidden = true;
    } else if (word == "f") {
      if (!hasParameter) return;
      if (group.fontTable) {
        definedFont_ = parameter;
      } else {
        currentFont_ = parameter;
        const auto font = fonts_.find(parameter);
        group.codePage = font != fonts_.end() ? font->second : documentCodePage_;
      }
    } else if (word == "fcharset" || word == "cpg") {
      if (!group.fontTable || !hasParameter || definedFont_ < 0) return;
      if (fonts_.size() >= MaxFonts && !fonts_.contains(definedFont_)) return;
      fonts_[definedFont_] = word == "cpg" ? KnownCodePage(parameter)
                                           : CharsetCodePage(parameter, documentCodePage_);
    } else if (word == "deff") {
      if (hasParameter) defaultFont_ = parameter;
    } else if (IsHiddenDestination(word)) {
      group.hidden = true;
    }
  }

  std::string_view in_;
  std::size_t pos_ = 0;
  std::string out_;
  std::vector<Group> stack_;
  std::size_t excessDepth_ = 0;
  bool finished_ = false;
  std::int64_t pendingSkip_ = 0;
  char32_t highSurrogate_ = 0;
  int documentCodePage_ = CodePageWestern;
  std::int64_t currentFont_ = -1;
  std::int64_t definedFont_ = -1;
  std::int64_t defaultFont_ = -1;
  std::unordered_map<std::int64_t, int> fonts_;
};

}  // namespace

bool IsRichText(std::string_view Bytes) { return Bytes.starts_with("{\\rtf"); }

std::string RichTextPlainText(std::string_view Bytes) {
  if (!IsRichText(Bytes)) return std::string();
  return Reader(Bytes).Run();
}

std::vector<std::string> RichTextLines(std::string_view Bytes, bool RussianInterface) {
  if (IsRichText(Bytes)) return SplitLines(RichTextPlainText(Bytes));
  if (Bytes.starts_with("\xEF\xBB\xBF")) Bytes.remove_prefix(3);
  return SplitLines(DecodeSingleByteText(Bytes, RussianInterface));
}

}  // namespace movra::platform
