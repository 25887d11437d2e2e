# SPDX-License-Identifier: GPL-3.0-or-later
# The folders of src/, from the bottom layer up, with the folders each may use and the Qt module
# its layer may link: NONE for the platform layers and plain code, Gui for drawing on images
# (headless), Widgets for the window program. The command line links no Qt: its `render` loads
# the module of chart/png, which draws with Gui, when it runs.
#
# The build makes one static library per folder, somvix_<folder> with "/" written "_", linking
# exactly the folders listed and the Qt module. scripts/check-includes.cmake reads this same
# table and fails on an #include "folder/..." of a folder that is not listed here, and on a
# folder listed before it is declared or above its own Qt module, so no two folders use each
# other.
#
#             folder            Qt       may use
somvix_folder(files             NONE)
somvix_folder(shared            NONE     files)
somvix_folder(res               NONE)
somvix_folder(device            NONE)
somvix_folder(hostnet           NONE     shared)
somvix_folder(settings          NONE     shared files)
somvix_folder(chart             NONE     settings res shared files)
somvix_folder(about             NONE     shared)
somvix_folder(transfer          NONE     device hostnet shared files)
somvix_folder(chart/render      Gui      chart res shared)
somvix_folder(chart/png         Gui      chart/render chart)
somvix_folder(widgets           Widgets  chart/render)
somvix_folder(settings/dialogs  Widgets  widgets settings hostnet)
somvix_folder(about/dialogs     Widgets  widgets about chart/render)
somvix_folder(app               Widgets  about/dialogs settings/dialogs widgets chart/render
                                         transfer about chart settings hostnet device res shared)
somvix_folder(cli               NONE     transfer about chart settings hostnet device shared)
# The helper that changes the cable kind's address for an ordinary user, started through pkexec.
somvix_program(helper           NONE     hostnet)
