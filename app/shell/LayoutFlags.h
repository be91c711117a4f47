#pragma once
// Flags that the tab host, the tab pages and the views pass down with a re-layout.

namespace pelorvant {

inline constexpr unsigned kLayoutTabStripHidden = 0x1;   // the tab strip is hidden
inline constexpr unsigned kLayoutActivePageOnly = 0x10;  // only the active page is laid out
inline constexpr unsigned kLayoutInputPanel = 0x100;     // the input panel was shown or hidden
inline constexpr unsigned kLayoutSizeUnchanged = 0x1000; // the size did not change

}  // namespace pelorvant
