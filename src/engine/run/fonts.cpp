#include "run/fonts.h"

#include <fontconfig/fontconfig.h>

#include <set>

#include "settings/text.h"

std::vector<std::string> FontFamilies() {
  std::set<std::string> families;
  FcPattern* pattern = FcPatternCreate();
  FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, nullptr);
  FcFontSet* fonts = FcFontList(nullptr, pattern, objects);
  for (int i = 0; fonts && i < fonts->nfont; ++i) {
    FcChar8* family = nullptr;
    if (FcPatternGetString(fonts->fonts[i], FC_FAMILY, 0, &family) == FcResultMatch)
      families.insert(reinterpret_cast<const char*>(family));
  }
  if (fonts) FcFontSetDestroy(fonts);
  FcObjectSetDestroy(objects);
  FcPatternDestroy(pattern);
  for (const char* alias : {"Monospace", "Sans Serif", "Serif"}) families.erase(alias);
  return {families.begin(), families.end()};
}

std::string FontFamilyAt(long long index) {
  std::vector<std::string> families = FontFamilies();
  if (index < 0 || index >= static_cast<long long>(families.size())) return "";
  return families[index];
}

void FillFontName(ExpressSettings* settings) {
  if (!settings->ExpressFontName.empty()) return;
  settings->ExpressFontName = FontFamilyAt(RoundHalfEven(Val(settings->ExpressFontFace)));
}
