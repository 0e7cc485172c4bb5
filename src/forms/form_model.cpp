#include "forms/form_model.h"

#include "settings/text.h"

#define TEXT(record, name) #name, &record::name, nullptr
#define SWITCH(record, name) #name, nullptr, &record::name

namespace {

using enum ControlKind;
using enum Trimming;
using A = AdvancedSettings;
using E = ExpressSettings;

}  // namespace

void ChooseEntry(double value, Control* list) {
  int64_t index = RoundHalfEven(value);
  bool listed = index >= 0 && index < static_cast<int64_t>(list->entries.size());
  list->index = listed ? static_cast<int>(index) : -1;
  list->text = listed ? list->entries[index] : "";
}

const std::array<Binding<AdvancedSettings>, 81> kAdvancedBindings = {{
    {TEXT(A, PageTitle), "txtPageTitle", kText, kOnCommit},
    {TEXT(A, Rows), "txtRows", kText},
    {TEXT(A, DelHTML), "chkDelHTML", kCheck},
    {TEXT(A, Cols), "txtCols", kText},
    {TEXT(A, PageFileName), "txtPageFileName", kText, kOnCommit},
    {TEXT(A, HTMLExt), "cboHTMLExt", kList},
    {SWITCH(A, AsPrefix), "optAsPrefix", kOption},
    {SWITCH(A, AsSuffix), "optAsSuffix", kOption},
    {TEXT(A, Units), "txtUnits", kText, kOnCommit},
    {TEXT(A, StartAt), "txtStartAt", kText, kOnCommit},
    {TEXT(A, ThumbExt), "txtThumbExt", kText, kOnCommit},
    {SWITCH(A, Before), "optBefore", kOption},
    {SWITCH(A, After), "optAfter", kOption},
    {TEXT(A, StoreInSub), "chkStoreInSub", kCheck},
    {TEXT(A, SubFolderName), "txtSubFolderName", kText, kOnCommit},
    {SWITCH(A, Update), "optUpdate", kOption},
    {SWITCH(A, Overwrite), "optOverwrite", kOption},
    {TEXT(A, CleanHouse), "chkCleanHouse", kCheck},
    {TEXT(A, UseHeader), "chkUseHeader", kCheck},
    {TEXT(A, UseFooter), "chkUseFooter", kCheck},
    {TEXT(A, Header), "txtHeader", kText, kOnCommit},
    {TEXT(A, Footer), "txtFooter", kText, kOnCommit},
    {TEXT(A, UseStyle), "chkUseStyle", kCheck},
    {TEXT(A, UseTitle), "chkUseTitle", kCheck},
    {TEXT(A, CenterTable), "chkCenterTable", kCheck},
    {TEXT(A, StyleCode), "txtStyleCode", kCode, kOnCommit},
    {TEXT(A, PageTitleCode), "txtPageTitleCode", kCode, kOnCommit},
    {TEXT(A, TableTag), "txtTableTag", kCode, kOnCommit},
    {TEXT(A, RowStart), "txtRowStart", kCode, kOnCommit},
    {TEXT(A, RowEnd), "txtRowEnd", kCode, kOnCommit},
    {TEXT(A, CellCode), "txtCellCode", kCode, kOnCommit},
    {TEXT(A, BodyTag), "txtBodyTag", kCode, kOnCommit},
    {TEXT(A, HeaderCode), "txtHeaderCode", kCode, kOnCommit},
    {TEXT(A, GenMenu), "chkGenMenu", kCheck, kNone, nullptr, true},
    {SWITCH(A, MenuBottom), "optMenuBottom", kOption},
    {SWITCH(A, MenuBoth), "optMenuBoth", kOption},
    {SWITCH(A, MenuTop), "optMenuTop", kOption},
    {TEXT(A, CodeBeforeMenu), "txtCodeBeforeMenu", kCode, kOnCommit},
    {TEXT(A, CodeAfterMenu), "txtCodeAfterMenu", kCode, kOnCommit},
    {TEXT(A, MenuCode), "txtMenuCode", kCode, kOnCommit},
    {TEXT(A, BreakMenu), "chkBreakMenu", kCheck},
    {TEXT(A, BreakMenuNum), "txtBreakMenuNum", kText, kOnCommit},
    {TEXT(A, LineBreakCode), "txtLineBreakCode", kCode, kOnCommit},
    {TEXT(A, Next), "txtNext", kCode, kOnCommit},
    {TEXT(A, Prev), "txtPrev", kCode, kOnCommit},
    {TEXT(A, UseJava), "chkUseJava", kCheck, kNone, nullptr, true},
    {TEXT(A, JavaCode), "txtJavaCode", kCode},
    {TEXT(A, JavaCell), "txtJavaCell", kCode},
    {TEXT(A, UseTmpl), "chkUseTmpl", kCheck},
    {TEXT(A, TmplAddy), "txtTmplAddy", kText, kOnCommit},
    {TEXT(A, UseGuess), "chkUseGuess", kCheck},
    {TEXT(A, PatternIndex), "cboPatternIndex", kList},
    {TEXT(A, UseLinkInact), "chkLinkInact", kCheck},
    {TEXT(A, LinkInact), "lblLinkInact", kCaption, kNone,
     "<TD align=center>[PAGE NUMBER]</TD><TD width=8>&nbsp;</TD>"},
    {TEXT(A, InactAuto), "chkInactAuto", kCheck},
    {TEXT(A, TableClose), "txtTableClose", kCode, kOnCommit},
    {TEXT(A, UseTableClose), "chkTableClose", kCheck},
    {TEXT(A, ShortFNames), "chkShortFNames", kCheck},
    {TEXT(A, FNameMaxLet), "txtFNameMaxLet", kText, kNone, "20"},
    {TEXT(A, FNameReplaceLoc), "cboFNameReplaceLoc", kList},
    {TEXT(A, FNameReplaceStr), "txtFNameReplaceStr", kText, kNone, "..."},
    {TEXT(A, FNameExtKill), "chkFNameExtKill", kCheck},
    {TEXT(A, NoMenu), "lblNoMenu", kCaption},
    {TEXT(A, FromDir), "chkFromDir", kCheck},
    // The sample tags differ from the dialog's first values for distribution
    // ("global" without the blank) and for the extra tag (blank name and content).
    {TEXT(A, MetaKeywords), "txtMetaKeywords", kText, kNone,
     "<META Name=\"keywords\" Content=\"   \">"},
    {TEXT(A, MetaDescr), "txtMetaDescr", kText, kNone,
     "<META Name=\"description\" Content=\"   \">"},
    {TEXT(A, MetaAuthor), "txtMetaAuthor", kText, kNone, "<META Name=\"author\" Content=\"   \">"},
    {TEXT(A, MetaCopy), "txtMetaCopy", kText, kNone, "<META Name=\"copyright\" Content=\"   \">"},
    {TEXT(A, MetaDistr), "txtMetaDistr", kText, kNone,
     "<META Name=\"distribution\" Content=\"global\">"},
    {TEXT(A, MetaGen), "txtMetaGen", kText, kNone,
     "<META Name=\"generator\" Content=\"KESTO  https://kesto.example\">"},
    {TEXT(A, MetaExtra), "txtMetaExtra", kText, kNone, "<META Name=\" \" Content=\" \">"},
    {TEXT(A, Bots), "cboBots", kList},
    {TEXT(A, MetaRevisit), "txtMetaRevisit", kText, kNone, "14"},
    {TEXT(A, UseMetaKeywords), "chkMetaKeywords", kCheck},
    {TEXT(A, UseMetaDescr), "chkMetaDescr", kCheck},
    {TEXT(A, UseMetaAuthor), "chkMetaAuthor", kCheck},
    {TEXT(A, UseMetaCopy), "chkMetaCopy", kCheck},
    {TEXT(A, UseMetaDistr), "chkMetaDistr", kCheck},
    {TEXT(A, UseMetaExtra), "chkMetaExtra", kCheck},
    {TEXT(A, UseMetaBots), "chkMetaBots", kCheck},
    {TEXT(A, UseMetaRevisit), "chkMetaRevisit", kCheck},
}};

const std::array<Binding<AdvancedSettings>, 2> kThumbCodeBindings = {{
    {TEXT(A, NextThumbCode), "txtNextThumbCode", kCode, kOnCommit},
    {TEXT(A, PrevThumbCode), "txtPrevThumbCode", kCode, kOnCommit},
}};

const std::array<Binding<ExpressSettings>, 36> kExpressBindings = {{
    {SWITCH(E, ExpressUpdate), "optUpdate", kOption},
    {SWITCH(E, ExpressOverwrite), "optOverwrite", kOption},
    {TEXT(E, ExpressPageTitle), "txtPageTitle", kText, kOnCommit},
    {TEXT(E, ExpressCleanHouse), "chkCleanHouse", kCheck},
    {TEXT(E, ExpressRows), "txtRows", kText},
    {TEXT(E, ExpressCols), "txtCols", kText},
    {TEXT(E, ExpressDelHTML), "chkDelHTML", kCheck},
    {TEXT(E, ExpressUseRights), "chkUseRights", kCheck},
    {TEXT(E, ExpressRights), "txtRights", kText},
    {TEXT(E, ExpressCenter), "chkCenterAll", kCheck},
    {TEXT(E, ExpressColorPageTitle), "ColorPageTitle", kColour},
    {TEXT(E, ExpressColorPageBackground), "ColorPageBack", kColour},
    {TEXT(E, ExpressColorPageText), "ColorPageText", kColour},
    {TEXT(E, ExpressColorPageLink), "ColorPageLink", kColour},
    {TEXT(E, ExpressColorPageVlink), "ColorPageLinkVisited", kColour},
    {TEXT(E, ExpressColorPageAlink), "ColorPageLinkActive", kColour},
    {TEXT(E, ExpressColorTableBackground), "ColorTableBack", kColour},
    {TEXT(E, ExpressFontSize), "txtFontSize", kText},
    {TEXT(E, ExpressFontFace), "cboFonts", kList},
    {TEXT(E, ExpressShowName), "chkShowName", kCheck},
    {TEXT(E, ExpressShowSize), "chkShowSize", kCheck},
    {TEXT(E, ExpressImageBorder), "txtImgBorder", kText, kOnFill},
    {TEXT(E, ExpressFontBold), "chkBold", kCheck},
    {TEXT(E, ExpressFontItalic), "chkItalic", kCheck},
    {TEXT(E, ExpressPixelPercent), "cboPixelPercent", kList},
    {TEXT(E, ExpressSepPage), "chkSepPage", kCheck},
    {TEXT(E, ExpressColorTableBorder), "ColorTableBorder", kColour},
    {TEXT(E, ExpressColorTableCell), "ColorTableCell", kColour},
    {TEXT(E, ExpressTableBorder), "txtTableBorder", kText, kOnFill},
    {TEXT(E, ExpressTableWidth), "txtTableWidth", kText, kOnFill},
    {TEXT(E, ExpressEnableTableOpt), "chkEnableTblOpt", kCheck},
    {TEXT(E, ExpressTablePadding), "txtPadding", kText, kOnFill},
    {TEXT(E, ExpressTableSpacing), "txtSpacing", kText, kOnFill},
    {TEXT(E, ExpressGuessName), "chkGuessName", kCheck},
    {TEXT(E, ExpressNamePattern), "cboPatternIndex", kList},
    {TEXT(E, ExpressShowNP), "chkShowNP", kCheck},
}};

const std::vector<std::string> kPageExtensionEntries = {".html", ".htm", ".shtml", ".cgi",
                                                        ".pl",   ".asp", ".js",    ".c"};
const std::vector<std::string> kAdvancedPatternEntries = {"John Smith.jpg", "JohnSmith.jpg",
                                                          "John_Smith.jpg"};
const std::vector<std::string> kReplaceLocationEntries = {"First", "Middle", "Last"};
const std::vector<std::string> kRobotsEntries = {"all",     "none",   "index",
                                                 "noindex", "follow", "nofollow"};
const std::vector<std::string> kPixelPercentEntries = {"pixels", "%"};
const std::vector<std::string> kExpressPatternEntries = {"Select Pattern", "John Smith.jpg",
                                                         "JohnSmith.jpg", "John_Smith.jpg"};
