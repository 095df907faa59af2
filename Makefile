# A thin wrapper: every target installs what is missing, configures and builds.
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 60
BUILD := build
SANITIZE_BUILD := build-sanitize
FUZZ_BUILD := build-fuzz
WINDOWS_BUILD := build-windows
WINE := /usr/lib/wine/wine64
WEB_BUILD := build-web
WEB_PORT ?= 8765

.PHONY: all deps build test windows-config windows test-windows package-windows \
	bench-windows web-config \
	sanitize-build sanitize soak bench fuzz e2e mutants package run format \
	web test-web run-web package-web bench-web lint lint-moc-windows \
	lint-moc-web clean

all: build

deps:
	@scripts/install-deps

$(BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

test: build
	rm -rf $(BUILD)/tests/home
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The Windows program, cross-built with MinGW against a static Qt for
# Windows that scripts/build-qt-windows builds once per machine. Its icon is
# drawn by the Linux build, named by the application id in its cache.
windows-config: build
	@echo "windows-config: configuring $(WINDOWS_BUILD)/, with Qt for Windows"
	qt="$$(JOBS=$(JOBS) scripts/build-qt-windows)" && \
	app_id="$$(sed -n 's/^TRIMWELL_APP_ID:INTERNAL=//p' $(BUILD)/CMakeCache.txt)" && \
	cmake -S . -B $(WINDOWS_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel \
	  -DCMAKE_TOOLCHAIN_FILE="$$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
	  -DQT_CHAINLOAD_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64-x86_64.cmake \
	  -DCMAKE_CROSSCOMPILING_EMULATOR=$(WINE) \
	  -DTRIMWELL_WINDOWS_ICON=$(CURDIR)/$(BUILD)/packaging/icons/$$app_id.ico

windows: windows-config
	cmake --build $(WINDOWS_BUILD) -j $(JOBS)

# Every test suite of the Windows build, and the program itself on a
# private X desktop, under wine in a throw-away prefix.
test-windows: windows
	tests/windows/run $(WINDOWS_BUILD)

# trimwell-<version>-win64.exe (installer) and .zip in $(WINDOWS_BUILD), and
# the installer tried under wine.
package-windows: windows
	cd $(WINDOWS_BUILD) && cpack
	tests/windows/run $(WINDOWS_BUILD) installer

# The Windows figures: trimwell.exe's size and what makes it up, the
# packages' sizes, and the start-up under wine to the splash card painted.
bench-windows: windows
	cd $(WINDOWS_BUILD) && cpack
	bench/windows-figures $(WINDOWS_BUILD)

# The program for a web browser, in $(WEB_BUILD)/: trimwell.html, one file
# that opens from disk, and site/, the same to serve. Built inside the
# Debian 13 root of scripts/web-root (made once per machine), against a
# static Qt for the web that scripts/build-qt-wasm builds there once.
IN_WEB_ROOT = JOBS=$(JOBS) scripts/web-root run
EMSCRIPTEN_TOOLCHAIN := /usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake

# Its home-screen icons are drawn by the Linux build. A build folder made
# with another Qt (its options or patches changed) is made anew: CMake keeps
# the Qt it was first configured with.
web-config: build
	@echo "web-config: configuring $(WEB_BUILD)/ in the Debian 13 root, with Qt for the web"
	$(IN_WEB_ROOT) sh -c 'qt="$$(scripts/build-qt-wasm)" && \
	  if [ "$$(cat $(WEB_BUILD)/qt-prefix 2>/dev/null)" != "$$qt" ]; then \
	    rm -rf $(WEB_BUILD) && mkdir -p $(WEB_BUILD) && \
	    echo "$$qt" >$(WEB_BUILD)/qt-prefix; \
	  fi && \
	  cmake -S . -B $(WEB_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel \
	    -DCMAKE_TOOLCHAIN_FILE="$$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
	    -DQT_CHAINLOAD_TOOLCHAIN_FILE=$(EMSCRIPTEN_TOOLCHAIN) \
	    -DCMAKE_CROSSCOMPILING_EMULATOR=/usr/bin/node \
	    -DTRIMWELL_WEB_ICONS=$(CURDIR)/$(BUILD)/packaging/icons/web'

web: web-config
	$(IN_WEB_ROOT) cmake --build $(WEB_BUILD) -j $(JOBS)

# The core's suites under node in the root, then the page opened from disk
# through the end-to-end suite, in each browser engine in turn.
WEB_BROWSERS := chromium firefox webkit

test-web: web
	$(IN_WEB_ROOT) ctest --test-dir $(WEB_BUILD) --output-on-failure -j $(JOBS)
	@failed=; for browser in $(WEB_BROWSERS); do \
	  echo "== the page in $$browser"; \
	  TRIMWELL_BROWSER=$$browser tests/e2e/run $(WEB_BUILD)/trimwell.html || \
	    failed="$$failed $$browser"; \
	done; [ -z "$$failed" ] || { echo "test-web: failed in$$failed" >&2; exit 1; }

run-web: web
	@echo "Trimwell: http://127.0.0.1:$(WEB_PORT)/site/ (or open $(WEB_BUILD)/trimwell.html)"
	cd $(WEB_BUILD) && /usr/bin/python3 -m http.server $(WEB_PORT) --bind 127.0.0.1

# trimwell-<version>-web.zip in $(WEB_BUILD): the single page and the site.
package-web: web
	scripts/package-web $(WEB_BUILD)

# The page's size, start-up and memory against a bare Qt Widgets page.
bench-web: web
	bench/web-figures $(WEB_BUILD)

# clang-tidy and clazy over every source file, each in the build that
# compiles it: the Linux build always; the Windows and web builds where
# this machine has their Qt built already, or with LINT_BUILDS=all (which
# builds what is missing first, as CI does). A cross build needs only be
# configured, with its moc run, for its sources to be read.
LINT_BUILDS ?= built
# $(1): the system, $(2): the script that builds its Qt, $(3): its build.
lint_cross = if [ "$(LINT_BUILDS)" = all ] || \
	  scripts/build-qt-$(2) --cached >/dev/null 2>&1; then \
	  $(MAKE) --no-print-directory lint-moc-$(1) || exit 1; \
	  builds="$$builds $(3)"; \
	else without="$$without --without $(1)" skipped="$$skipped $(1)"; fi;

lint: build
	@builds=$(BUILD) without= skipped=; \
	$(call lint_cross,windows,windows,$(WINDOWS_BUILD)) \
	$(call lint_cross,web,wasm,$(WEB_BUILD)) \
	scripts/lint $$without $$builds; status=$$?; \
	for system in $$skipped; do \
	  echo "lint: skipped the $$system build, whose Qt this machine has not" \
	    "built yet: \`make $$system-config\` builds it once, and \`make lint\`" \
	    "lints it from then on (\`make lint LINT_BUILDS=all\` does both)"; \
	done; \
	exit $$status

lint-moc-windows: windows-config
	@echo "lint: running moc in $(WINDOWS_BUILD)/"
	cmake --build $(WINDOWS_BUILD) --target trimwell_ui_autogen

lint-moc-web: web-config
	@echo "lint: running moc in $(WEB_BUILD)/"
	$(IN_WEB_ROOT) cmake --build $(WEB_BUILD) --target trimwell_ui_autogen

SANITIZER_ENV := QT_QPA_PLATFORM=offscreen \
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
  LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp:print_suppressions=0 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

sanitize-build: deps
	cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=Debug \
	  -DCMAKE_CXX_COMPILER=clang++ -DTRIMWELL_SANITIZE=ON
	cmake --build $(SANITIZE_BUILD) -j $(JOBS)

sanitize: sanitize-build
	rm -rf $(SANITIZE_BUILD)/tests/home
	cd $(SANITIZE_BUILD) && $(SANITIZER_ENV) ctest --output-on-failure -j $(JOBS)

# Thousands of random edits through the real controls, under the sanitizers.
# AddressSanitizer holds freed memory back (256 MB by default) to catch late
# uses; a small hold keeps that check while resident memory measures the
# program itself.
soak: sanitize-build
	cd $(SANITIZE_BUILD) && $(SANITIZER_ENV) \
	  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:quarantine_size_mb=4 \
	  tests/soak_main_window

# The real program on a private X desktop, read through accessibility.
e2e: build
	tests/e2e/run $(BUILD)/src/trimwell

# Mutation testing in build-mutants/: plants one small fault at a time in
# src/, rebuilds, runs every test suite, and prints how many were caught.
# MUTANTS_SEED and MUTANTS_COUNT choose another sample.
mutants: deps
	/usr/bin/python3 scripts/mutants --jobs $(JOBS)$(if $(MUTANTS_SEED), \
	  --seed $(MUTANTS_SEED))$(if $(MUTANTS_COUNT), --count $(MUTANTS_COUNT))

# The Debian package, trimwell_<version>_amd64.deb, in $(BUILD).
package: build
	cd $(BUILD) && cpack

bench: build
	@for b in $(BUILD)/bench/bench_*; do \
	  [ -f "$$b" ] && [ -x "$$b" ] || continue; \
	  echo "== $$b"; \
	  QT_QPA_PLATFORM=offscreen "$$b" --benchmark_repetitions=5 \
	    --benchmark_report_aggregates_only=true || exit 1; \
	done

fuzz: deps
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_CXX_COMPILER=clang++ -DTRIMWELL_FUZZ=ON
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	@for f in $(FUZZ_BUILD)/fuzz/fuzz_*; do \
	  [ -f "$$f" ] && [ -x "$$f" ] || continue; \
	  name=$$(basename $$f); mkdir -p fuzz-corpus/$$name; \
	  echo "== $$name for $(FUZZ_SECONDS) s"; \
	  dict=; [ -f fuzz/$$name.dict ] && dict=-dict=fuzz/$$name.dict; \
	  "$$f" -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 $$dict \
	    fuzz-corpus/$$name fuzz/seeds/$$name || exit 1; \
	done

run: build
	$(BUILD)/src/trimwell

format:
	git ls-files 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' \
	  'bench/*.cpp' 'fuzz/*.cpp' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(FUZZ_BUILD) $(WINDOWS_BUILD) \
	  $(WEB_BUILD) build-mutants
