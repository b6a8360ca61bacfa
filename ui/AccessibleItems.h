#pragma once

namespace fendry {

// Makes what assistive technology reads of the application match what is on screen, where Qt
// 6.4 reads it otherwise: hidden windows and items stay out of the tree, a minimised window and
// its items are not showing, only an item on screen in the focused window is focused, a
// disabled item says so, and positions are in the screen's pixels at any scale factor.
// Call once, before the first window is built.
void installAccessibleItems();

}  // namespace fendry
