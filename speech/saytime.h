// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

struct Services;

/// Says the current time aloud from the recorded files, one after another; returns when done.
void sayCurrentTime(const Services &services);
