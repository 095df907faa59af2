# Programs for a web page, built with Qt for the web (make web).
find_package(Python3 REQUIRED COMPONENTS Interpreter)
configure_file(${PROJECT_SOURCE_DIR}/src/web/page.html.in
               ${PROJECT_BINARY_DIR}/generated/page.html @ONLY)

# Links `target` for the page and writes its pages: `single`, one html file
# with everything inside, and `site`, a folder with index.html beside the
# script and the WebAssembly. Asyncify lets start-up wait for the splash
# card in a nested event loop, the browser getting its turn meanwhile; it
# costs about two thirds more WebAssembly, which a start-up split around
# the wait would save at the price of reading as one sequence.
function(trimwell_web_page target single site)
  target_link_options(${target} PRIVATE "SHELL:-s ASYNCIFY" -Os)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}-wasm)
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${out})
  set(template ${PROJECT_BINARY_DIR}/generated/page.html)
  set(maker ${PROJECT_SOURCE_DIR}/scripts/web-page)
  set(inputs ${template} ${out}/${target}.js ${out}/${target}.wasm)
  add_custom_command(OUTPUT ${single}
    COMMAND ${Python3_EXECUTABLE} ${maker} ${inputs} --single ${single}
    DEPENDS ${target} ${template} ${maker} VERBATIM)
  add_custom_command(OUTPUT ${site}/index.html
    COMMAND ${Python3_EXECUTABLE} ${maker} ${inputs} --site ${site}
    DEPENDS ${target} ${template} ${maker} VERBATIM)
  add_custom_target(${target}_pages ALL DEPENDS ${single} ${site}/index.html)
endfunction()
