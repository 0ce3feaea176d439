// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class Document;
class MessageBoxes;

/// One Quillet per data folder, as the start sees it.
namespace singleinstance {

/// Claims the data folder for this start. False when this start must end at once without
/// touching the data: another copy runs on it (and has been asked to show itself, unless this
/// start is the minimised login start), another computer holds it (the user is told which), or
/// no lock can be made there (the user is told why).
bool startHere(Document &document, bool minimized, MessageBoxes *messages);

/// Shows the main window restored, raised and active, with any open dialog on top of it.
void bringToFront();

} // namespace singleinstance
