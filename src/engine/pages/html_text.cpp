#include "pages/html_text.h"

#include <cstdio>

#include "settings/text.h"

namespace {

enum class Place { kText, kAttribute, kUrl, kJavaScriptUrl };

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

void AppendPercent(unsigned char byte, std::string* out) {
  char hex[4];
  std::snprintf(hex, sizeof hex, "%%%02X", byte);
  out->append(hex);
}

// Percent-encodes the characters that would end or redirect a relative link;
// ":" too, so that no name reads as a URL scheme ("javascript:x.jpg").
std::string PercentEncode(std::string_view name) {
  std::string out;
  out.reserve(name.size());
  for (size_t i = 0; i < name.size();) {
    Utf8Char c = DecodeUtf8At(name, i);
    const char first = name[i];
    bool encode = !c.valid || first == '%' || first == '#' || first == '?' || first == '\'' ||
                  first == '\\' || first == ':';
    if (encode)
      AppendPercent(static_cast<unsigned char>(first), &out);
    else
      out.append(name.substr(i, c.length));
    i += c.length;
  }
  return out;
}

// The small reading of HTML that tells where a name lands: tags, attribute
// names, quoted and unquoted values, comments. Fed one character at a time.
class HtmlReader {
 public:
  void Feed(char c);
  Place PlaceHere() const;

 private:
  enum class State {
    kText,
    kLt,          // "<" seen; a letter or "/" opens a tag
    kLtBang,      // "<!"
    kLtBangDash,  // "<!-"
    kComment,
    kTagName,
    kInTag,
    kAttrName,
    kAfterAttrName,
    kBeforeValue,
    kValueDouble,
    kValueSingle,
    kValueBare,
  };
  void StartAttribute(char c);
  void StartValue(char c);
  void Text(char c);

  State state_ = State::kText;
  std::string attribute_;   // lower case
  std::string value_head_;  // the value's first characters, blanks left out, lower case
  int dashes_ = 0;          // dashes just seen inside a comment
};

void HtmlReader::Text(char c) { state_ = c == '<' ? State::kLt : State::kText; }

void HtmlReader::StartAttribute(char c) {
  attribute_.assign(1, Lower(c));
  value_head_.clear();
  state_ = State::kAttrName;
}

void HtmlReader::StartValue(char c) {
  value_head_.assign(1, Lower(c));
  state_ = State::kValueBare;
}

void HtmlReader::Feed(char c) {
  switch (state_) {
    case State::kText:
      return Text(c);
    case State::kLt:
      if (IsLetter(c) || c == '/')
        state_ = State::kTagName;
      else if (c == '!')
        state_ = State::kLtBang;
      else
        Text(c);
      return;
    case State::kLtBang:
      return c == '-' ? void(state_ = State::kLtBangDash) : Text(c);
    case State::kLtBangDash:
      if (c != '-') return Text(c);
      state_ = State::kComment;
      dashes_ = 0;
      return;
    case State::kComment:
      if (c == '>' && dashes_ >= 2) state_ = State::kText;
      dashes_ = c == '-' ? dashes_ + 1 : 0;
      return;
    case State::kTagName:
      if (c == '>')
        state_ = State::kText;
      else if (IsBlank(c))
        state_ = State::kInTag;
      return;
    case State::kInTag:
      if (c == '>')
        state_ = State::kText;
      else if (!IsBlank(c))
        StartAttribute(c);
      return;
    case State::kAfterAttrName:
      if (c == '>')
        state_ = State::kText;
      else if (c == '=')
        state_ = State::kBeforeValue;
      else if (!IsBlank(c))
        StartAttribute(c);
      return;
    case State::kAttrName:
      if (c == '>')
        state_ = State::kText;
      else if (IsBlank(c))
        state_ = State::kAfterAttrName;
      else if (c == '=')
        state_ = State::kBeforeValue;
      else
        attribute_ += Lower(c);
      return;
    case State::kBeforeValue:
      if (c == '>')
        state_ = State::kText;
      else if (c == '"')
        state_ = State::kValueDouble;
      else if (c == '\'')
        state_ = State::kValueSingle;
      else if (!IsBlank(c))
        StartValue(c);
      return;
    case State::kValueDouble:
    case State::kValueSingle:
      if (c == (state_ == State::kValueDouble ? '"' : '\''))
        state_ = State::kInTag;
      else if (!IsBlank(c) && value_head_.size() < 16)
        value_head_ += Lower(c);
      return;
    case State::kValueBare:
      if (c == '>')
        state_ = State::kText;
      else if (IsBlank(c))
        state_ = State::kInTag;
      else if (value_head_.size() < 16)
        value_head_ += Lower(c);
      return;
  }
}

bool IsUrlAttribute(const std::string& name) {
  for (const char* url : {"href", "src", "background", "action", "lowsrc", "data", "poster"})
    if (name == url) return true;
  return false;
}

Place HtmlReader::PlaceHere() const {
  switch (state_) {
    case State::kText:
    case State::kLt:
    case State::kLtBang:
    case State::kLtBangDash:
    case State::kComment:
      return Place::kText;
    case State::kBeforeValue:
    case State::kValueDouble:
    case State::kValueSingle:
    case State::kValueBare:
      if (IsUrlAttribute(attribute_))
        return value_head_.starts_with("javascript:") ? Place::kJavaScriptUrl : Place::kUrl;
      return attribute_.starts_with("on") ? Place::kUrl : Place::kAttribute;
    default:
      return Place::kAttribute;  // where an attribute name would be
  }
}

std::string Written(std::string_view name, Place place) {
  switch (place) {
    case Place::kUrl:
      return HtmlUrl(name);
    case Place::kJavaScriptUrl:
      return JavaScriptUrl(name);
    case Place::kAttribute:
      return ReplaceAll(HtmlText(name), "'", "&#39;");
    default:
      return HtmlText(name);
  }
}

// A name that every place writes as it is: valid UTF-8 without any of the
// characters that some place escapes.
bool WrittenAsItIs(std::string_view name) {
  return name.find_first_of("&<>\"%#?'\\:") == std::string_view::npos && IsValidUtf8(name);
}

}  // namespace

std::string HtmlText(std::string_view name) { return HtmlEscape(ReplaceBrokenBytes(name)); }

std::string HtmlUrl(std::string_view name) { return HtmlEscape(PercentEncode(name)); }

std::string SrcsetUrl(std::string_view name) {
  std::string out;
  for (char c : HtmlUrl(name)) {
    if (c == ' ' || c == ',' || c == '\t' || c == '\n' || c == '\f' || c == '\r')
      AppendPercent(static_cast<unsigned char>(c), &out);
    else
      out += c;
  }
  return out;
}

std::string JavaScriptUrl(std::string_view name) {
  return HtmlEscape(ReplaceAll(PercentEncode(name), "%", "%25"));
}

std::string FillNameTag(std::string_view code, std::string_view tag, std::string_view name) {
  if (WrittenAsItIs(name)) return ReplaceAll(code, tag, name);
  if (tag.empty() || code.find(tag) == std::string_view::npos) return std::string(code);
  std::string out;
  HtmlReader reader;
  size_t pos = 0;
  for (size_t hit; (hit = code.find(tag, pos)) != std::string_view::npos; pos = hit + tag.size()) {
    for (char c : code.substr(pos, hit - pos)) reader.Feed(c);
    out.append(code.substr(pos, hit - pos));
    std::string written = Written(name, reader.PlaceHere());
    for (char c : written) reader.Feed(c);
    out.append(written);
  }
  out.append(code.substr(pos));
  return out;
}
