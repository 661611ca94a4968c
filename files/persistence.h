// Saving the contents of the program's own controls to text files and loading
// them back: a text box as one block of text, a list box or combo box as one
// entry per line, a pair of list boxes as lines "first*second". Files hold
// Windows-1252 text and every line ends with CR LF. Nothing is reported: a
// file that cannot be written or read leaves things as they were.
//
// Saving replaces a file in one step (a new file, renamed over the old), so
// a save that fails midway leaves the old content whole. Loading streams the
// file in pieces and refuses files larger than Limits().max_file_bytes, so
// a huge or foreign file cannot exhaust memory; such a file loads nothing.
// List loads also end when the program is closing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/types.h"

namespace files {

using platform::Hwnd;

struct LoadLimits {
  // Larger files are not ours: the save routines write a line per entry a
  // person typed or picked. 16 MB is far beyond that.
  std::uint64_t max_file_bytes = 16u << 20;
  std::size_t read_piece = 64u << 10;  // bytes read at a time
};

// The bounds the loaders use; a caller or a test may change them.
LoadLimits& Limits();

// The text box's text, followed by CR LF.
void SaveTextBox(Hwnd text_box, std::string_view path);
// The whole file, less the CR LF that SaveTextBox puts at its end. A file that
// cannot be read (or is too large) leaves the text box as it was.
void LoadTextBox(Hwnd text_box, std::string_view path);

// One entry per line. An empty control makes an empty file.
void SaveListBox(std::string_view path, Hwnd list_box);
void SaveComboBox(std::string_view path, Hwnd combo_box);
// Each line is one entry, read back whole ("a, b", leading blanks and quotes
// kept), added after the entries already there. The event loop runs between
// entries; a control closed meanwhile ends the load.
void LoadListBox(std::string_view path, Hwnd list_box);
void LoadComboBox(std::string_view path, Hwnd combo_box);

// Lines "first entry*second entry", one per entry of the first list; a
// missing second entry is empty.
void SaveListBoxPair(std::string_view path, Hwnd first_list, Hwnd second_list);
// Splits each line at its first "*". A line without one gives the first list
// an empty entry and the second the whole line.
void LoadListBoxPair(std::string_view path, Hwnd first_list, Hwnd second_list);

// "(a), (b), (c)"; "" when the first entry is empty or there is none.
std::string JoinListBox(Hwnd list_box);

}  // namespace files
