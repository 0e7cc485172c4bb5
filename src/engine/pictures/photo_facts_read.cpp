#include "pictures/photo_facts_read.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <exiv2/exiv2.hpp>
#include <mutex>
#include <string_view>
#include <vector>

#include "settings/text.h"

namespace {

// Exiv2 keeps quiet, reads HEIF and AVIF too, and is made ready for threads
// once, before the first picture.
void StartExiv2() {
  static std::once_flag once;
  std::call_once(once, [] {
    Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
    Exiv2::XmpParser::initialize();
#ifdef EXV_ENABLE_BMFF
    Exiv2::enableBMFF(true);
#endif
  });
}

// Texts some cameras write as the description of every picture.
bool IsCameraDefault(const std::string& text) {
  static constexpr std::array<std::string_view, 6> kDefaults = {"olympus digital camera",
                                                                "sony dsc",
                                                                "digital camera",
                                                                "minolta digital camera",
                                                                "konica minolta digital camera",
                                                                "samsung digital camera"};
  std::string lower = LowerCase(text);
  for (std::string_view d : kDefaults)
    if (lower == d) return true;
  return false;
}

// A text value trimmed of blanks and NULs at either end.
std::string Clean(const std::string& text) {
  size_t begin = text.find_first_not_of(std::string_view(" \t\r\n\0", 5));
  if (begin == std::string::npos) return "";
  size_t end = text.find_last_not_of(std::string_view(" \t\r\n\0", 5));
  return text.substr(begin, end - begin + 1);
}

// The datum of `key`, nullptr when there is none.
template <typename Data, typename Key>
auto Find(const Data& data, const char* key) -> decltype(&*data.begin()) {
  auto it = data.findKey(Key(key));
  return it == data.end() ? nullptr : &*it;
}

// The x-default text of a language alternative, else its first, else the text.
std::string XmpText(const Exiv2::XmpData& xmp, const char* key) {
  const Exiv2::Xmpdatum* datum = Find<Exiv2::XmpData, Exiv2::XmpKey>(xmp, key);
  if (!datum) return "";
  if (auto* alt = dynamic_cast<const Exiv2::LangAltValue*>(&datum->value())) {
    auto it = alt->value_.find("x-default");
    if (it == alt->value_.end()) it = alt->value_.begin();
    return it == alt->value_.end() ? "" : Clean(it->second);
  }
  return Clean(datum->toString());
}

std::string ExifText(const Exiv2::ExifData& exif, const char* key) {
  const Exiv2::Exifdatum* datum = Find<Exiv2::ExifData, Exiv2::ExifKey>(exif, key);
  return datum ? Clean(datum->toString()) : "";
}

std::string IptcText(const Exiv2::IptcData& iptc, const char* key) {
  const Exiv2::Iptcdatum* datum = Find<Exiv2::IptcData, Exiv2::IptcKey>(iptc, key);
  return datum ? Clean(datum->toString()) : "";
}

// "YYYY:MM:DD HH:MM:SS" (EXIF) or "YYYY-MM-DDTHH:MM[:SS][zone]" (XMP) as
// "YYYY-MM-DD HH:MM:SS"; a date alone gets midnight; "" for anything else.
std::string NormalDate(const std::string& text) {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  int fields = std::sscanf(text.c_str(), "%4d%*1[-:]%2d%*1[-:]%2d%*1[ T]%2d:%2d:%2d", &year, &month,
                           &day, &hour, &minute, &second);
  if (fields != 3 && fields < 5) return "";
  if (year < 1 || month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59 ||
      second > 60)
    return "";
  char out[80];
  std::snprintf(out, sizeof out, "%04d-%02d-%02d %02d:%02d:%02d", year, month, day, hour, minute,
                second);
  return out;
}

std::string DateTaken(const Exiv2::ExifData& exif, const Exiv2::XmpData& xmp) {
  std::string date = NormalDate(ExifText(exif, "Exif.Photo.DateTimeOriginal"));
  if (date.empty()) date = NormalDate(ExifText(exif, "Exif.Photo.DateTimeDigitized"));
  if (date.empty()) date = NormalDate(XmpText(xmp, "Xmp.exif.DateTimeOriginal"));
  if (date.empty()) date = NormalDate(XmpText(xmp, "Xmp.xmp.CreateDate"));
  if (date.empty()) date = NormalDate(XmpText(xmp, "Xmp.photoshop.DateCreated"));
  return date;
}

std::string Caption(const Exiv2::Image& image) {
  for (std::string text : {IptcText(image.iptcData(), "Iptc.Application2.Caption"),
                           XmpText(image.xmpData(), "Xmp.dc.description"),
                           ExifText(image.exifData(), "Exif.Image.ImageDescription")})
    if (!text.empty() && !IsCameraDefault(text)) return text;
  return "";
}

std::string Camera(const Exiv2::ExifData& exif) {
  std::string make = ExifText(exif, "Exif.Image.Make");
  std::string model = ExifText(exif, "Exif.Image.Model");
  std::string make_word = LowerCase(make.substr(0, make.find(' ')));
  if (make.empty() || LowerCase(model).starts_with(make_word)) return model;
  return model.empty() ? make : make + " " + model;
}

// A number with at most one decimal: "8", "2.8".
std::string Short(double value) {
  char out[32];
  std::snprintf(out, sizeof out, "%.1f", value);
  std::string text = out;
  return text.ends_with(".0") ? text.substr(0, text.size() - 2) : text;
}

// The positive value of a rational EXIF fact, or 0.
double Positive(const Exiv2::ExifData& exif, const char* key) {
  const Exiv2::Exifdatum* datum = Find<Exiv2::ExifData, Exiv2::ExifKey>(exif, key);
  if (!datum || datum->count() < 1) return 0;
  Exiv2::Rational r = datum->toRational(0);
  if (r.first <= 0 || r.second <= 0) return 0;
  return static_cast<double>(r.first) / r.second;
}

std::string Exposure(const Exiv2::ExifData& exif) {
  std::vector<std::string> parts;
  if (double time = Positive(exif, "Exif.Photo.ExposureTime"); time > 0)
    parts.push_back((time < 1 ? "1/" + Short(std::round(1 / time)) : Short(time)) + " s");
  if (double f = Positive(exif, "Exif.Photo.FNumber"); f > 0) parts.push_back("f/" + Short(f));
  const Exiv2::Exifdatum* iso =
      Find<Exiv2::ExifData, Exiv2::ExifKey>(exif, "Exif.Photo.ISOSpeedRatings");
  if (iso && iso->count() > 0 && iso->toLong(0) > 0)
    parts.push_back("ISO " + std::to_string(iso->toLong(0)));
  if (double mm = Positive(exif, "Exif.Photo.FocalLength"); mm > 0)
    parts.push_back(Short(mm) + " mm");
  std::string text;
  for (const std::string& part : parts) text += (text.empty() ? "" : ", ") + part;
  return text;
}

void AddKeyword(std::string* list, const std::string& keyword) {
  if (!keyword.empty()) *list += (list->empty() ? "" : ", ") + keyword;
}

std::string Keywords(const Exiv2::IptcData& iptc, const Exiv2::XmpData& xmp) {
  std::string list;
  for (const Exiv2::Iptcdatum& datum : iptc)
    if (datum.key() == "Iptc.Application2.Keywords") AddKeyword(&list, Clean(datum.toString()));
  if (!list.empty()) return list;
  if (const Exiv2::Xmpdatum* subject = Find<Exiv2::XmpData, Exiv2::XmpKey>(xmp, "Xmp.dc.subject"))
    for (long i = 0; i < subject->count(); ++i) AddKeyword(&list, Clean(subject->toString(i)));
  return list;
}

}  // namespace

PhotoFacts ReadPhotoFacts(const std::string& path) {
  StartExiv2();
  PhotoFacts facts;
  try {
    auto image = Exiv2::ImageFactory::open(path, false);
    if (!image.get()) return facts;
    image->readMetadata();
    const Exiv2::ExifData& exif = image->exifData();
    facts.date_taken = DateTaken(exif, image->xmpData());
    facts.caption = Caption(*image);
    facts.camera = Camera(exif);
    facts.lens = ExifText(exif, "Exif.Photo.LensModel");
    facts.exposure = Exposure(exif);
    facts.keywords = Keywords(image->iptcData(), image->xmpData());
  } catch (...) {  // damaged metadata: whatever Exiv2 throws, the picture says nothing
    return PhotoFacts();
  }
  return facts;
}
