// Every field of AdvancedSettings, once, in the order of the .cfg file (lines
// 6 to 82, then 85 to 92). Whoever includes this file defines the macros and
// takes from each line what it needs: the record its members and their initial
// values (settings/records.h), the .cfg its order (records.cpp), the Advanced
// dialogs their controls (forms/form_model.cpp).
//
//   TEXT(name, control, kind, rule, initial value[, sample])
//             a text field edited by a control of frmOptions
//   NP_TEXT   the same, for a code box of frmNPControl
//   SWITCH(name, control, initial value)
//             a Boolean field: an option button of frmOptions
//   PLAIN(name, initial value)
//             a text field that no control holds as it is
//
// `kind` is the ControlKind and `rule` the FieldRule of forms/form_model.h;
// `sample` is what the dialog shows while the field is empty: kShowInitial
// for the initial value, or a text of its own.
//
// No include guard: this file is read once per use.
// clang-format off
TEXT(PageTitle,       txtPageTitle,       kText,    kTrimOnCommit, "Page")
TEXT(Rows,            txtRows,            kText,    kAsIs,         "7")
TEXT(DelHTML,         chkDelHTML,         kCheck,   kAsIs,         "0")
TEXT(Cols,            txtCols,            kText,    kAsIs,         "4")
TEXT(PageFileName,    txtPageFileName,    kText,    kTrimOnCommit, "page_")
TEXT(HTMLExt,         cboHTMLExt,         kList,    kAsIs,         "0")  // kPageExtensions
SWITCH(AsPrefix,      optAsPrefix,                                 false)
SWITCH(AsSuffix,      optAsSuffix,                                 true)
TEXT(Units,           txtUnits,           kText,    kTrimOnCommit, "2")
TEXT(StartAt,         txtStartAt,         kText,    kTrimOnCommit, "1")
TEXT(ThumbExt,        txtThumbExt,        kText,    kTrimOnCommit, "_tn")
SWITCH(Before,        optBefore,                                   false)
SWITCH(After,         optAfter,                                    true)
TEXT(StoreInSub,      chkStoreInSub,      kCheck,   kAsIs,         "1")
TEXT(SubFolderName,   txtSubFolderName,   kText,    kTrimOnCommit, "thumbs")
SWITCH(Update,        optUpdate,                                   true)
SWITCH(Overwrite,     optOverwrite,                                false)
TEXT(CleanHouse,      chkCleanHouse,      kCheck,   kAsIs,         "0")
TEXT(UseHeader,       chkUseHeader,       kCheck,   kAsIs,         "0")
TEXT(UseFooter,       chkUseFooter,       kCheck,   kAsIs,         "0")
TEXT(Header,          txtHeader,          kText,    kTrimOnCommit, "")
TEXT(Footer,          txtFooter,          kText,    kTrimOnCommit, "")
TEXT(UseStyle,        chkUseStyle,        kCheck,   kAsIs,         "0")
TEXT(UseTitle,        chkUseTitle,        kCheck,   kAsIs,         "1")
TEXT(CenterTable,     chkCenterTable,     kCheck,   kAsIs,         "0")
TEXT(StyleCode,       txtStyleCode,       kCode,    kTrimOnCommit,
     "<STYLE><--.nu {text-decoration: none; font-family: arial;} A:link {text-decoration: none; "
     "color: #FFFFFF} A:visited {text-decoration: none; color: #FFFFFF} A:hover "
     "{text-decoration: none; color: #FFFFFF}></STYLE>")
TEXT(PageTitleCode,   txtPageTitleCode,   kCode,    kTrimOnCommit,
     "<br><br><CENTER> [PAGE TITLE]   [CURRENT PAGE NUMBER] </CENTER><br><br>")
TEXT(TableTag,        txtTableTag,        kCode,    kTrimOnCommit,
     "<TABLE width=100% border=0 cellpadding=0 cellspacing=0>")
TEXT(RowStart,        txtRowStart,        kCode,    kTrimOnCommit, "<TR>")
TEXT(RowEnd,          txtRowEnd,          kCode,    kTrimOnCommit, "</TR>")
TEXT(CellCode,        txtCellCode,        kCode,    kTrimOnCommit,
     "<TD align=center><a href=\"[IMAGE FILE NAME]\"><img src=\"[THUMB PATH][THUMB FILE NAME]\"  "
     "border=0 alt=\"\"></a><br>[IMAGE FILE NAME]<br>[FILE SIZE] Kb<br><br></TD>")
TEXT(BodyTag,         txtBodyTag,         kCode,    kTrimOnCommit,
     "<BODY bgcolor=#000000 text=#FFFFFF>")
TEXT(HeaderCode,      txtHeaderCode,      kCode,    kTrimOnCommit,
     "<HTML><HEAD><TITLE> [PAGE TITLE] [CURRENT PAGE NUMBER] </TITLE>")
TEXT(GenMenu,         chkGenMenu,         kCheck,   kNumber,       "1")
SWITCH(MenuBottom,    optMenuBottom,                               true)
SWITCH(MenuBoth,      optMenuBoth,                                 false)
SWITCH(MenuTop,       optMenuTop,                                  false)
TEXT(CodeBeforeMenu,  txtCodeBeforeMenu,  kCode,    kTrimOnCommit,
     "<CENTER>   <TABLE cellpadding=0 cellspacing=0 border=0><TR>")
TEXT(CodeAfterMenu,   txtCodeAfterMenu,   kCode,    kTrimOnCommit,
     "</TR></TABLE>   </CENTER> <br><br>")
TEXT(MenuCode,        txtMenuCode,        kCode,    kTrimOnCommit,
     "<TD align=center><a href=\"[PAGE FILE NAME]\">[PAGE NUMBER]</a></TD><TD width=8>&nbsp;</TD>")
TEXT(BreakMenu,       chkBreakMenu,       kCheck,   kAsIs,         "0")
TEXT(BreakMenuNum,    txtBreakMenuNum,    kText,    kTrimOnCommit, "15")
TEXT(LineBreakCode,   txtLineBreakCode,   kCode,    kTrimOnCommit, "</TR><TR>")
TEXT(Next,            txtNext,            kCode,    kTrimOnCommit,
     "<a href=\"[NEXT PAGE]\">Next</a>")
TEXT(Prev,            txtPrev,            kCode,    kTrimOnCommit,
     "<a href=\"[PREVIOUS PAGE]\">Previous</a>")
TEXT(UseJava,         chkUseJava,         kCheck,   kNumber,       "0")
// The script keeps its trailing blank.
TEXT(JavaCode,        txtJavaCode,        kCode,    kAsIs,
     "<SCRIPT LANGUAGE =\"JavaScript\">function "
     "ShowPic(picture){Show=window.open(picture,'Show','toolbar=no,location=no,directories=no,"
     "status=yes,menubar=no,scrollbars=yes,resizable=yes,width=600,height=400')}</SCRIPT> ")
TEXT(JavaCell,        txtJavaCell,        kCode,    kAsIs,
     "<TD align=center> <a href=\"JavaScript:ShowPic('[IMAGE FILE NAME]');\"> <img "
     "src=\"[THUMB PATH][THUMB FILE NAME]\"  border=0 alt=\"[IMAGE FILE NAME]\"></a><br><font "
     "size=1 face=\"Arial\">[IMAGE FILE NAME]<br>[FILE SIZE] Kb</font><br><br></TD>")
// The row list lstRows holds both: 1-based row numbers joined by ",", and
// items "path?row-index^^$$^^".
PLAIN(SnippletRows,                                                "")
PLAIN(SnippletFiles,                                               "")
TEXT(UseTmpl,         chkUseTmpl,         kCheck,   kAsIs,         "0")
TEXT(TmplAddy,        txtTmplAddy,        kText,    kTrimOnCommit, "")
TEXT(UseGuess,        chkUseGuess,        kCheck,   kAsIs,         "0")
TEXT(PatternIndex,    cboPatternIndex,    kList,    kAsIs,         "0")
NP_TEXT(NextThumbCode, txtNextThumbCode,  kCode,    kTrimOnCommit,
     "<a href=\"[NEXT IMAGE FILE NAME]\"> <img src=\"[NEXT THUMB PATH][NEXT THUMB FILE NAME]\" "
     "border=0></a><BR><b>Next&nbsp;&gt;&gt;</b>")
NP_TEXT(PrevThumbCode, txtPrevThumbCode,  kCode,    kTrimOnCommit,
     "<a href=\"[PREVIOUS IMAGE FILE NAME]\"> <img src=\"[PREVIOUS THUMB PATH][PREVIOUS THUMB "
     "FILE NAME]\" border=0></a><BR><b>&lt;&lt;&nbsp;Previous</b>")
TEXT(UseLinkInact,    chkLinkInact,       kCheck,   kAsIs,         "0")
TEXT(LinkInact,       lblLinkInact,       kCaption, kAsIs,
     "<TD align=center>[PAGE NUMBER]</TD><TD width=8>&nbsp;</TD>", kShowInitial)
TEXT(InactAuto,       chkInactAuto,       kCheck,   kAsIs,         "1")
TEXT(TableClose,      txtTableClose,      kCode,    kTrimOnCommit, "AUTO-CLOSE")
TEXT(UseTableClose,   chkTableClose,      kCheck,   kAsIs,         "0")
TEXT(ShortFNames,     chkShortFNames,     kCheck,   kAsIs,         "0")
TEXT(FNameMaxLet,     txtFNameMaxLet,     kText,    kAsIs,         "20", kShowInitial)
TEXT(FNameReplaceLoc, cboFNameReplaceLoc, kList,    kAsIs,         "2")  // 0 start, 1 middle, 2 end
TEXT(FNameReplaceStr, txtFNameReplaceStr, kText,    kAsIs,         "...", kShowInitial)
TEXT(FNameExtKill,    chkFNameExtKill,    kCheck,   kAsIs,         "0")
TEXT(NoMenu,          lblNoMenu,          kCaption, kAsIs,         "")
TEXT(FromDir,         chkFromDir,         kCheck,   kAsIs,         "0")
TEXT(MetaKeywords,    txtMetaKeywords,    kText,    kAsIs,
     "<META Name=\"keywords\" Content=\"   \">", kShowInitial)
TEXT(MetaDescr,       txtMetaDescr,       kText,    kAsIs,
     "<META Name=\"description\" Content=\"   \">", kShowInitial)
TEXT(MetaAuthor,      txtMetaAuthor,      kText,    kAsIs,
     "<META Name=\"author\" Content=\"   \">", kShowInitial)
TEXT(MetaCopy,        txtMetaCopy,        kText,    kAsIs,
     "<META Name=\"copyright\" Content=\"   \">", kShowInitial)
// The sample has "global" without the blank.
TEXT(MetaDistr,       txtMetaDistr,       kText,    kAsIs,
     "<META Name=\"distribution\" Content=\"global \">",
     "<META Name=\"distribution\" Content=\"global\">")
TEXT(MetaGen,         txtMetaGen,         kText,    kAsIs,
     "<META Name=\"generator\" Content=\"KESTO  https://kesto.example\">", kShowInitial)
// The sample has a blank name and content.
TEXT(MetaExtra,       txtMetaExtra,       kText,    kAsIs,
     "<META Name=\"\" Content=\"\">", "<META Name=\" \" Content=\" \">")
// 0 all, 1 none, 2 index, 3 noindex, 4 follow, 5 nofollow
TEXT(Bots,            cboBots,            kList,    kAsIs,         "0")
TEXT(MetaRevisit,     txtMetaRevisit,     kText,    kAsIs,         "14", kShowInitial)
TEXT(UseMetaKeywords, chkMetaKeywords,    kCheck,   kAsIs,         "0")
TEXT(UseMetaDescr,    chkMetaDescr,       kCheck,   kAsIs,         "0")
TEXT(UseMetaAuthor,   chkMetaAuthor,      kCheck,   kAsIs,         "0")
TEXT(UseMetaCopy,     chkMetaCopy,        kCheck,   kAsIs,         "0")
TEXT(UseMetaDistr,    chkMetaDistr,       kCheck,   kAsIs,         "0")
TEXT(UseMetaExtra,    chkMetaExtra,       kCheck,   kAsIs,         "0")
TEXT(UseMetaBots,     chkMetaBots,        kCheck,   kAsIs,         "0")
TEXT(UseMetaRevisit,  chkMetaRevisit,     kCheck,   kAsIs,         "0")
// clang-format on
