# SPDX-FileCopyrightText: 2026 Omvar team
# SPDX-License-Identifier: GPL-3.0-or-later
#
# omvar_web_module(<target>): links an executable as a module of a web page: its .js file
# defines createOmvar(settings), which the page calls with its settings object (the
# module's `Module`), and returning from main() ends the module's runtime and calls the
# page's onExit. Qt's own link settings (asyncify among them) come with Qt's targets.
function(omvar_web_module target)
  target_link_options(${target} PRIVATE
    "SHELL:-s EXPORT_NAME=createOmvar"
    "SHELL:-s EXIT_RUNTIME=1"
    "SHELL:-s ENVIRONMENT=web"
    "SHELL:-s EXPORTED_RUNTIME_METHODS=UTF16ToString,stringToUTF16"
  )
endfunction()
