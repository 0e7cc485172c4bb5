#include "dialogs/font_list.h"

#include <QFontDatabase>
#include <algorithm>

QStringList SortedFontFamilies() {
  QStringList families = QFontDatabase::families();
  std::sort(families.begin(), families.end());
  return families;
}

QString FontFamilyAt(int index) { return SortedFontFamilies().value(index); }
