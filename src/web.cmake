# The program in a web page (Qt for the web, Emscripten):
#   build-web/trimwell.html   one self-contained file, opened from disk;
#   build-web/site/           index.html, trimwell.js and trimwell.wasm, for
#                             serving.
# A browser lends a page's program no fonts: the faces the windows ask for
# on Linux travel inside the program.
set(web_font_dir /usr/share/fonts/truetype/liberation)
qt_add_resources(trimwell web_fonts PREFIX /fonts BASE ${web_font_dir}
  FILES ${web_font_dir}/LiberationSans-Regular.ttf
        ${web_font_dir}/LiberationSans-Bold.ttf)
# Its home-screen icons are drawn by the Linux build's icon export, which
# runs on the build machine.
set(TRIMWELL_WEB_ICONS "" CACHE PATH
    "The folder of the page's icon-SIZE.png, from the Linux build")
if(NOT EXISTS "${TRIMWELL_WEB_ICONS}/icon-192.png")
  message(FATAL_ERROR "TRIMWELL_WEB_ICONS must name the folder of icons that "
                      "the Linux build draws (make web does this)")
endif()
trimwell_web_page(trimwell ${PROJECT_BINARY_DIR}/trimwell.html
                  ${PROJECT_BINARY_DIR}/site ICONS ${TRIMWELL_WEB_ICONS})
