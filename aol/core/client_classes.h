// Window classes and captions of the client, as the routines look them up.
#pragma once

#include <string_view>

namespace aol {

inline constexpr std::string_view kFrameClass = "AOL Frame25";
inline constexpr std::string_view kMdiClass = "MDIClient";
inline constexpr std::string_view kChildClass = "AOL Child";
inline constexpr std::string_view kRichTextClass = "RICHCNTL";
inline constexpr std::string_view kListClass = "_AOL_Listbox";
inline constexpr std::string_view kIconClass = "_AOL_Icon";
inline constexpr std::string_view kStaticClass = "_AOL_Static";
inline constexpr std::string_view kToolbarOuterClass = "AOL Toolbar";
inline constexpr std::string_view kToolbarInnerClass = "_AOL_Toolbar";
inline constexpr std::string_view kComboClass = "_AOL_Combobox";
inline constexpr std::string_view kEditClass = "Edit";
inline constexpr std::string_view kMessageBoxClass = "#32770";
inline constexpr std::string_view kMessageBoxCaption = "America Online";
inline constexpr std::string_view kButtonClass = "Button";
inline constexpr std::string_view kPlainStaticClass = "Static";

}  // namespace aol
