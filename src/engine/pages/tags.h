// The tags of the user's Advanced code that the page writers fill in, and the
// tags each piece of code may hold, as the tag palettes of the dialogs offer
// them.
#pragma once

// A picture's cell (CellCode, JavaCell) and its picture page (the template).
inline constexpr char kImageFileNameTag[] = "[IMAGE FILE NAME]";
inline constexpr char kImageTitleTag[] = "[IMAGE TITLE]";
inline constexpr char kFileSizeTag[] = "[FILE SIZE]";
inline constexpr char kThumbPathTag[] = "[THUMB PATH]";
inline constexpr char kThumbFileNameTag[] = "[THUMB FILE NAME]";
inline constexpr char kImagePathTag[] = "[IMAGE PATH]";  // always empty: pages lie by the pictures
inline constexpr char kPrevThumbTag[] = "[PREV THUMB]";  // PrevThumbCode, template only
inline constexpr char kNextThumbTag[] = "[NEXT THUMB]";  // NextThumbCode, template only

// The picture's own metadata, in a cell and on its picture page; each is
// empty when the picture does not say.
inline constexpr char kDateTakenTag[] = "[DATE TAKEN]";  // in the form of DateFormat
inline constexpr char kCaptionTag[] = "[CAPTION]";
inline constexpr char kCameraTag[] = "[CAMERA]";
inline constexpr char kLensTag[] = "[LENS]";
inline constexpr char kExposureTag[] = "[EXPOSURE]";
inline constexpr char kKeywordsTag[] = "[KEYWORDS]";
inline constexpr const char* kFactTags[] = {kDateTakenTag, kCaptionTag,  kCameraTag,
                                            kLensTag,      kExposureTag, kKeywordsTag};

// The head and the page title code, and the frame of the page menu.
inline constexpr char kPageTitleTag[] = "[PAGE TITLE]";
inline constexpr char kCurrentPageNumberTag[] = "[CURRENT PAGE NUMBER]";
inline constexpr char kMaxPageNumberTag[] = "[MAX PAGE NUMBER]";
inline constexpr char kPreviousLinkTag[] = "[PREVIOUS LINK]";  // the Prev code
inline constexpr char kNextLinkTag[] = "[NEXT LINK]";          // the Next code

// An entry of the page menu (MenuCode, LinkInact) and the Prev and Next codes.
inline constexpr char kPageFileNameTag[] = "[PAGE FILE NAME]";
inline constexpr char kPageNumberTag[] = "[PAGE NUMBER]";
inline constexpr char kPreviousPageTag[] = "[PREVIOUS PAGE]";
inline constexpr char kNextPageTag[] = "[NEXT PAGE]";

/// The tags of PrevThumbCode or NextThumbCode: its neighbour's picture and
/// thumbnail.
struct NeighbourTags {
  const char* image_path;  // always empty, as kImagePathTag
  const char* image_file_name;
  const char* thumb_path;
  const char* thumb_file_name;
};
inline constexpr NeighbourTags kPreviousTags = {
    "[PREVIOUS IMAGE PATH]", "[PREVIOUS IMAGE FILE NAME]", "[PREVIOUS THUMB PATH]",
    "[PREVIOUS THUMB FILE NAME]"};
inline constexpr NeighbourTags kNextTags = {"[NEXT IMAGE PATH]", "[NEXT IMAGE FILE NAME]",
                                            "[NEXT THUMB PATH]", "[NEXT THUMB FILE NAME]"};

/// What the palettes offer for each piece of code.
inline constexpr const char* kCellCodeTags[] = {kThumbPathTag, kThumbFileNameTag, kImageFileNameTag,
                                                kFileSizeTag,  kImageTitleTag,    kDateTakenTag,
                                                kCaptionTag,   kCameraTag,        kLensTag,
                                                kExposureTag,  kKeywordsTag};
inline constexpr const char* kTitleCodeTags[] = {kMaxPageNumberTag, kCurrentPageNumberTag,
                                                 kPageTitleTag};  // HeaderCode, PageTitleCode
inline constexpr const char* kMenuFrameTags[] = {kCurrentPageNumberTag, kPreviousLinkTag,
                                                 kNextLinkTag};  // CodeBeforeMenu, CodeAfterMenu
inline constexpr const char* kMenuCellTags[] = {kPageFileNameTag, kPageNumberTag};
inline constexpr const char* kNextLinkTags[] = {kNextPageTag};
inline constexpr const char* kPrevLinkTags[] = {kPreviousPageTag};
inline constexpr const char* kTemplateTags[] = {
    kImageFileNameTag, kFileSizeTag, kPrevThumbTag, kNextThumbTag, kImageTitleTag, kDateTakenTag,
    kCaptionTag,       kCameraTag,   kLensTag,      kExposureTag,  kKeywordsTag};
inline constexpr const char* kPrevThumbCodeTags[] = {
    kPreviousTags.image_file_name, kPreviousTags.thumb_path, kPreviousTags.thumb_file_name};
inline constexpr const char* kNextThumbCodeTags[] = {
    kNextTags.image_file_name, kNextTags.thumb_path, kNextTags.thumb_file_name};
