# SPDX-License-Identifier: GPL-3.0-or-later
# The program's layers, lowest first. A file includes only from its own folder and from the
# layers below it; the folders of one layer (the sections) never include each other. The build
# makes one library per folder from this list and checks every include against it.
set(QUILLET_LAYERS
  platform
  store
  core
  exchange
  sync
  widgets
  "notes todos websites contacts quotes speech about syncwindow"
  app)
