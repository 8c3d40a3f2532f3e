# SPDX-FileCopyrightText: 2026 Omvar team
# SPDX-License-Identifier: GPL-3.0-or-later
#
# omvar_web_module(<target>): links an executable as a module of a web page: its .js file
# defines createOmvar(settings), which the page calls with its settings object (the
# module's `Module`), and returning from main() ends the module's runtime and calls the
# page's onExit. Qt's own link settings (asyncify among them) come with Qt's targets.
function(omvar_web_module target)
  target_link_options(${target} PRIVATE
    "SHELL:-s EXIT_RUNTIME=1"
    "SHELL:-s ENVIRONMENT=web"
    "SHELL:-s EXPORTED_RUNTIME_METHODS=UTF16ToString,stringToUTF16"
  )
  # Qt's targets name the factory too, optimise for speed and size (-Os) and leave exceptions
  # uncaught, among the link options, which come before the libraries on the command line:
  # given with the libraries, this name, the optimisation for size alone (-Oz) and the
  # catching of the game's exceptions are the last ones.
  target_link_libraries(${target} PRIVATE -sEXPORT_NAME=createOmvar -Oz
    -sDISABLE_EXCEPTION_CATCHING=0)
endfunction()
