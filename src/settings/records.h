// The settings records of both modes and the thumbnail options.
//
// Nearly every field is text, as the user or a file gave it: flags hold "1" or
// "0", numbers and choices their decimal text, colours a decimal 0x00BBGGRR
// value. Only the option-button groups ("switches") are Booleans. The page
// writers convert a value when they use it (settings/text.h), so an odd value
// read from a file survives a save and load unchanged.
#pragma once

#include <array>
#include <string>

/// The JPEG thumbnail options shared by both modes (the main window's controls).
struct ThumbOptions {
  int Quality = 75;                     // 1 to 100
  std::string ResizeMethod = "Height";  // "Height", "Width" or "Both"
  std::string Height = "100";           // number-text, pixels
  std::string Width = "100";            // number-text, pixels
  int Progressive = 0;                  // 0 or 1
};

/// The settings of Advanced mode, in the order of the .cfg file (lines 6 to 92).
struct AdvancedSettings {
  std::string PageTitle = "Page";
  std::string Rows = "7";
  std::string DelHTML = "0";
  std::string Cols = "4";
  std::string PageFileName = "page_";
  std::string HTMLExt = "0";  // index into .html .htm .shtml .cgi .pl .asp .js .c
  bool AsPrefix = false;
  bool AsSuffix = true;
  std::string Units = "2";
  std::string StartAt = "1";
  std::string ThumbExt = "_tn";
  bool Before = false;
  bool After = true;
  std::string StoreInSub = "1";
  std::string SubFolderName = "thumbs";
  bool Update = true;
  bool Overwrite = false;
  std::string CleanHouse = "0";
  std::string UseHeader = "0";
  std::string UseFooter = "0";
  std::string Header;
  std::string Footer;
  std::string UseStyle = "0";
  std::string UseTitle = "1";
  std::string CenterTable = "0";
  std::string StyleCode =
      "<STYLE><--.nu {text-decoration: none; font-family: arial;} A:link {text-decoration: none; "
      "color: #FFFFFF} A:visited {text-decoration: none; color: #FFFFFF} A:hover "
      "{text-decoration: none; color: #FFFFFF}></STYLE>";
  std::string PageTitleCode =
      "<br><br><CENTER> [PAGE TITLE]   [CURRENT PAGE NUMBER] </CENTER><br><br>";
  std::string TableTag = "<TABLE width=100% border=0 cellpadding=0 cellspacing=0>";
  std::string RowStart = "<TR>";
  std::string RowEnd = "</TR>";
  std::string CellCode =
      "<TD align=center><a href=\"[IMAGE FILE NAME]\"><img src=\"[THUMB PATH][THUMB FILE NAME]\"  "
      "border=0 alt=\"\"></a><br>[IMAGE FILE NAME]<br>[FILE SIZE] Kb<br><br></TD>";
  std::string BodyTag = "<BODY bgcolor=#000000 text=#FFFFFF>";
  std::string HeaderCode = "<HTML><HEAD><TITLE> [PAGE TITLE] [CURRENT PAGE NUMBER] </TITLE>";
  std::string GenMenu = "1";
  bool MenuBottom = true;
  bool MenuBoth = false;
  bool MenuTop = false;
  std::string CodeBeforeMenu = "<CENTER>   <TABLE cellpadding=0 cellspacing=0 border=0><TR>";
  std::string CodeAfterMenu = "</TR></TABLE>   </CENTER> <br><br>";
  std::string MenuCode =
      "<TD align=center><a href=\"[PAGE FILE NAME]\">[PAGE NUMBER]</a></TD><TD "
      "width=8>&nbsp;</TD>";
  std::string BreakMenu = "0";
  std::string BreakMenuNum = "15";
  std::string LineBreakCode = "</TR><TR>";
  std::string Next = "<a href=\"[NEXT PAGE]\">Next</a>";
  std::string Prev = "<a href=\"[PREVIOUS PAGE]\">Previous</a>";
  std::string UseJava = "0";
  std::string JavaCode =  // not trimmed: keeps its trailing blank
      "<SCRIPT LANGUAGE =\"JavaScript\">function "
      "ShowPic(picture){Show=window.open(picture,'Show','toolbar=no,location=no,directories=no,"
      "status=yes,menubar=no,scrollbars=yes,resizable=yes,width=600,height=400')}</SCRIPT> ";
  std::string JavaCell =
      "<TD align=center> <a href=\"JavaScript:ShowPic('[IMAGE FILE NAME]');\"> <img "
      "src=\"[THUMB PATH][THUMB FILE NAME]\"  border=0 alt=\"[IMAGE FILE NAME]\"></a><br><font "
      "size=1 face=\"Arial\">[IMAGE FILE NAME]<br>[FILE SIZE] Kb</font><br><br></TD>";
  std::string SnippletRows;   // 1-based row numbers joined by ","
  std::string SnippletFiles;  // items "path?row-index^^$$^^"
  std::string UseTmpl = "0";
  std::string TmplAddy;
  std::string UseGuess = "0";
  std::string PatternIndex = "0";
  std::string NextThumbCode =
      "<a href=\"[NEXT IMAGE FILE NAME]\"> <img src=\"[NEXT THUMB PATH][NEXT THUMB FILE NAME]\" "
      "border=0></a><BR><b>Next&nbsp;&gt;&gt;</b>";
  std::string PrevThumbCode =
      "<a href=\"[PREVIOUS IMAGE FILE NAME]\"> <img src=\"[PREVIOUS THUMB PATH][PREVIOUS THUMB "
      "FILE NAME]\" border=0></a><BR><b>&lt;&lt;&nbsp;Previous</b>";
  std::string UseLinkInact = "0";
  std::string LinkInact = "<TD align=center>[PAGE NUMBER]</TD><TD width=8>&nbsp;</TD>";
  std::string InactAuto = "1";
  std::string TableClose = "AUTO-CLOSE";
  std::string UseTableClose = "0";
  std::string ShortFNames = "0";
  std::string FNameMaxLet = "20";
  std::string FNameReplaceLoc = "2";  // 0 start, 1 middle, 2 end
  std::string FNameReplaceStr = "...";
  std::string FNameExtKill = "0";
  std::string NoMenu;
  std::string FromDir = "0";
  std::string MetaKeywords = "<META Name=\"keywords\" Content=\"   \">";
  std::string MetaDescr = "<META Name=\"description\" Content=\"   \">";
  std::string MetaAuthor = "<META Name=\"author\" Content=\"   \">";
  std::string MetaCopy = "<META Name=\"copyright\" Content=\"   \">";
  std::string MetaDistr = "<META Name=\"distribution\" Content=\"global \">";
  std::string MetaGen = "<META Name=\"generator\" Content=\"KESTO  https://kesto.example\">";
  std::string MetaExtra = "<META Name=\"\" Content=\"\">";
  std::string Bots = "0";  // 0 all, 1 none, 2 index, 3 noindex, 4 follow, 5 nofollow
  std::string MetaRevisit = "14";
  std::string UseMetaKeywords = "0";
  std::string UseMetaDescr = "0";
  std::string UseMetaAuthor = "0";
  std::string UseMetaCopy = "0";
  std::string UseMetaDistr = "0";
  std::string UseMetaExtra = "0";
  std::string UseMetaBots = "0";
  std::string UseMetaRevisit = "0";
};

/// The settings of Express mode. Each name is also its key in a .cfe file.
struct ExpressSettings {
  std::string ExpressMenuLocation = "bottom";  // "top", "bottom" or "both"
  std::string ExpressLinkTarget = "same";      // "same", "new" or "java"
  bool ExpressUpdate = true;
  bool ExpressOverwrite = false;
  std::string ExpressPageTitle = "Gallery";
  std::string ExpressCleanHouse = "0";
  std::string ExpressRows = "7";
  std::string ExpressCols = "4";
  std::string ExpressDelHTML = "0";
  std::string ExpressUseRights = "0";
  std::string ExpressRights = "Copyright ©";
  std::string ExpressCenter = "1";
  std::string ExpressColorPageTitle = "16777215";
  std::string ExpressColorPageBackground = "0";
  std::string ExpressColorPageText = "16777215";
  std::string ExpressColorPageLink = "16777215";
  std::string ExpressColorPageVlink = "12632256";
  std::string ExpressColorPageAlink = "16777215";
  std::string ExpressColorTableBackground = "0";
  std::string ExpressFontSize = "2";
  std::string ExpressFontFace = "0";  // index into the sorted font list
  std::string ExpressFontName;        // the font's name; see kesto's font look-up
  std::string ExpressShowName = "1";
  std::string ExpressShowSize = "1";
  std::string ExpressImageBorder = "1";
  std::string ExpressFontBold = "0";
  std::string ExpressFontItalic = "0";
  std::string ExpressPixelPercent = "1";  // 0 pixels, 1 percent
  std::string ExpressSepPage = "0";
  std::string ExpressColorTableBorder = "0";
  std::string ExpressColorTableCell = "0";
  std::string ExpressTableBorder = "0";
  std::string ExpressTableWidth = "100";
  std::string ExpressEnableTableOpt = "0";
  std::string ExpressTablePadding = "7";
  std::string ExpressTableSpacing = "0";
  std::string ExpressGuessName = "0";
  std::string ExpressNamePattern = "0";  // 0 none chosen, 1..3 the patterns
  std::string ExpressShowNP = "1";
  // A second thumbnail at twice the size for sharp screens, "1" or "0". Not
  // among kExpressFields: a .cfe holds the key only when it asks for it.
  std::string ExpressHiDpi = "0";
};

/// One field of a record by name: exactly one of `text` and `flag` is set.
template <typename Record>
struct RecordField {
  const char* name;
  std::string Record::*text;
  bool Record::*flag;
};

/// Every field of AdvancedSettings in .cfg order (lines 6 to 82, then 85 to 92).
extern const std::array<RecordField<AdvancedSettings>, 85> kAdvancedFields;

/// Every field of ExpressSettings in .cfe key order, ExpressFontName last.
extern const std::array<RecordField<ExpressSettings>, 39> kExpressFields;
