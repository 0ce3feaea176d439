// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

struct StartOptions;

/// Does the verb the command line asks for on the data folder's document, with no window: no
/// display, splash, sound or session bus. Needs only a QCoreApplication; returns the exit status.
int runHeadless(const StartOptions &options);
