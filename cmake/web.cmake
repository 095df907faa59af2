# Programs for a web page, built with Qt for the web (make web).
find_package(Python3 REQUIRED COMPONENTS Interpreter)
# Debian's Qt leaves its plugins out of what links against it, for its own
# shared plugins load at run time; a page's program links Qt in statically,
# its platform plugin included, or it cannot start.
set(QT_SKIP_AUTO_PLUGIN_INCLUSION OFF)
configure_file(${PROJECT_SOURCE_DIR}/src/web/page.html.in
               ${PROJECT_BINARY_DIR}/generated/page.html @ONLY)

# Links `target` for the page and writes its pages: `single`, one html file
# with everything inside, and `site`, a folder with index.html beside the
# script and the WebAssembly; with ICONS (a folder of icon-SIZE.png), a site
# that installs on a tablet's home screen and starts with no network. The
# page starts either program through the script's createProgram.
function(trimwell_web_page target single site)
  cmake_parse_arguments(PARSE_ARGV 3 page "" "ICONS" "")
  target_link_options(${target} PRIVATE -Os)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}-wasm)
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${out}
                                             QT_WASM_EXPORT_NAME createProgram)
  set(template ${PROJECT_BINARY_DIR}/generated/page.html)
  set(maker ${PROJECT_SOURCE_DIR}/scripts/web-page)
  set(inputs ${template} ${out}/${target}.js ${out}/${target}.wasm)
  add_custom_command(OUTPUT ${single}
    COMMAND ${Python3_EXECUTABLE} ${maker} ${inputs} --single ${single}
    DEPENDS ${target} ${template} ${maker} VERBATIM)
  set(installable)
  if(page_ICONS)
    set(manifest ${PROJECT_BINARY_DIR}/generated/manifest.webmanifest)
    configure_file(${PROJECT_SOURCE_DIR}/src/web/manifest.webmanifest.in
                   ${manifest} @ONLY)
    # Its caches are named by the application id.
    set(worker ${PROJECT_BINARY_DIR}/generated/service-worker.js)
    configure_file(${PROJECT_SOURCE_DIR}/src/web/service-worker.js ${worker}
                   @ONLY)
    file(GLOB icons ${page_ICONS}/icon-*.png)
    set(installable --installable ${manifest} ${worker} ${page_ICONS})
  endif()
  add_custom_command(OUTPUT ${site}/index.html
    COMMAND ${Python3_EXECUTABLE} ${maker} ${inputs} --site ${site}
            ${installable}
    DEPENDS ${target} ${template} ${maker} ${manifest} ${worker} ${icons}
    VERBATIM)
  add_custom_target(${target}_pages ALL DEPENDS ${single} ${site}/index.html)
endfunction()
