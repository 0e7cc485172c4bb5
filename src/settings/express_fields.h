// Every field of ExpressSettings but the opt-in keys, once, in the key order of
// a .cfe file; each name is also its key there. Read as advanced_fields.h is,
// with the controls of frmOptions2:
//
//   TEXT(name, control, kind, rule, initial value)
//   SWITCH(name, control, initial value)
//   PLAIN(name, initial value)
//
// No include guard: this file is read once per use.
// clang-format off
// "top", "bottom" or "both": the Menu menu.
PLAIN(ExpressMenuLocation,                                                         "bottom")
// "same", "new" or "java": Open Images In...
PLAIN(ExpressLinkTarget,                                                           "same")
SWITCH(ExpressUpdate,               optUpdate,                                     true)
SWITCH(ExpressOverwrite,            optOverwrite,                                  false)
TEXT(ExpressPageTitle,              txtPageTitle,         kText,    kTrimOnCommit, "Gallery")
TEXT(ExpressCleanHouse,             chkCleanHouse,        kCheck,   kAsIs,         "0")
TEXT(ExpressRows,                   txtRows,              kText,    kAsIs,         "7")
TEXT(ExpressCols,                   txtCols,              kText,    kAsIs,         "4")
TEXT(ExpressDelHTML,                chkDelHTML,           kCheck,   kAsIs,         "0")
// 0 pixels, 1 percent.
TEXT(ExpressPixelPercent,           cboPixelPercent,      kList,    kAsIs,         "1")
TEXT(ExpressUseRights,              chkUseRights,         kCheck,   kAsIs,         "0")
TEXT(ExpressRights,                 txtRights,            kText,    kAsIs,         "Copyright ©")
TEXT(ExpressCenter,                 chkCenterAll,         kCheck,   kAsIs,         "1")
TEXT(ExpressColorPageTitle,         ColorPageTitle,       kColour,  kAsIs,         "16777215")
TEXT(ExpressColorPageBackground,    ColorPageBack,        kColour,  kAsIs,         "0")
TEXT(ExpressColorPageText,          ColorPageText,        kColour,  kAsIs,         "16777215")
TEXT(ExpressColorPageLink,          ColorPageLink,        kColour,  kAsIs,         "16777215")
TEXT(ExpressColorPageVlink,         ColorPageLinkVisited, kColour,  kAsIs,         "12632256")
TEXT(ExpressColorPageAlink,         ColorPageLinkActive,  kColour,  kAsIs,         "16777215")
TEXT(ExpressColorTableBackground,   ColorTableBack,       kColour,  kAsIs,         "0")
TEXT(ExpressFontSize,               txtFontSize,          kText,    kAsIs,         "2")
// Index into the sorted font list.
TEXT(ExpressFontFace,               cboFonts,             kList,    kAsIs,         "0")
TEXT(ExpressShowName,               chkShowName,          kCheck,   kAsIs,         "1")
TEXT(ExpressShowSize,               chkShowSize,          kCheck,   kAsIs,         "1")
TEXT(ExpressImageBorder,            txtImgBorder,         kText,    kTrimOnFill,   "1")
TEXT(ExpressFontBold,               chkBold,              kCheck,   kAsIs,         "0")
TEXT(ExpressFontItalic,             chkItalic,            kCheck,   kAsIs,         "0")
TEXT(ExpressSepPage,                chkSepPage,           kCheck,   kAsIs,         "0")
TEXT(ExpressColorTableBorder,       ColorTableBorder,     kColour,  kAsIs,         "0")
TEXT(ExpressColorTableCell,         ColorTableCell,       kColour,  kAsIs,         "0")
TEXT(ExpressTableBorder,            txtTableBorder,       kText,    kTrimOnFill,   "0")
TEXT(ExpressTableWidth,             txtTableWidth,        kText,    kTrimOnFill,   "100")
TEXT(ExpressEnableTableOpt,         chkEnableTblOpt,      kCheck,   kAsIs,         "0")
TEXT(ExpressTablePadding,           txtPadding,           kText,    kTrimOnFill,   "7")
TEXT(ExpressTableSpacing,           txtSpacing,           kText,    kTrimOnFill,   "0")
TEXT(ExpressGuessName,              chkGuessName,         kCheck,   kAsIs,         "0")
// 0 none chosen, 1 to 3 the patterns.
TEXT(ExpressNamePattern,            cboPatternIndex,      kList,    kAsIs,         "0")
TEXT(ExpressShowNP,                 chkShowNP,            kCheck,   kAsIs,         "1")
// The font's name, the text of cboFonts; see kesto's font look-up.
PLAIN(ExpressFontName,                                                             "")
// clang-format on
