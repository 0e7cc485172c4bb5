// The desktop's font families in the order that a font choice's index counts.
#pragma once

#include <QString>
#include <QStringList>

/// The families of Qt's font database, sorted by character codes.
QStringList SortedFontFamilies();

/// The family at `index` of SortedFontFamilies(), "" outside the list.
QString FontFamilyAt(int index);
