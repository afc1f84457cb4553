# Everyday entry points. Each target installs what is missing first, so a
# fresh Debian machine needs nothing but `make run` or `make test`.

BUILD      ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS       ?= $(shell nproc)
CMAKE_FLAGS ?=
# CI builds treat every compiler warning as an error, so the tree stays clean.
WERROR     ?= $(if $(CI),ON,OFF)
SAN_BUILD  ?= build-sanitize
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60

WIN_BUILD  ?= build-windows
WEB_BUILD  ?= build-web
WEB_PORT   ?= 8030
# Debian's own Python, which has python3-selenium.
PYTHON     ?= /usr/bin/python3

.PHONY: deps configure build run test sanitize-test fuzz package package-check bench clean \
	windows windows-test windows-package windows-package-check web run-web web-test web-screenshots web-bench

deps:
	@./scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DQUORVANE_WERROR=$(WERROR) $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@./$(BUILD)/bin/quorvane

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)
	@$(MAKE) --no-print-directory web-test
	@$(MAKE) --no-print-directory sanitize-test

# The browser face: the core compiled to WebAssembly and the page, in one
# folder ($(WEB_BUILD)/site) that any static host can serve.
web: configure
	@$(PYTHON) web/build.py --out $(WEB_BUILD) \
		--program-info $(BUILD)/include/quorvane_program_info/ProgramInfo.h \
		--pseudo-dir $(BUILD)/language/pseudo

run-web: web
	@$(PYTHON) web/serve.py $(WEB_BUILD)/site $(WEB_PORT)

# The page in headless Chromium, against this build's quorvane-cli.
web-test: web configure
	@cmake --build $(BUILD) -j $(JOBS) --target quorvane-cli
	@cd tests/web && QUORVANE_WEB_SITE=$(abspath $(WEB_BUILD))/site \
		QUORVANE_CLI=$(abspath $(BUILD))/bin/quorvane-cli $(PYTHON) -m unittest -v test_page

# The page's bench rows against a blank page and the native core.
web-bench: web configure
	@cmake --build $(BUILD) -j $(JOBS) --target quorvane_conversion
	@cd tests/web && $(PYTHON) bench.py $(abspath $(WEB_BUILD))/site $(abspath $(BUILD))

# The README's pictures of the page, taken by the tests' browser.
web-screenshots: web
	@cd tests/web && QUORVANE_WEB_SITE=$(abspath $(WEB_BUILD))/site $(PYTHON) screenshots.py ../../docs/screenshots

# The whole suite again, built with AddressSanitizer and
# UndefinedBehaviorSanitizer in a folder of its own: any report ends the
# test program with a failure. Debug, because it compiles fastest.
SAN_ENV = QT_QPA_PLATFORM=offscreen \
	ASAN_OPTIONS=detect_leaks=1:check_initialization_order=1:strict_init_order=1 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

sanitize-test: deps
	@cmake -S . -B $(SAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUORVANE_SANITIZE=ON -DQUORVANE_WERROR=$(WERROR) $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(SAN_BUILD) -j $(JOBS)
	@cd $(SAN_BUILD) && $(SAN_ENV) ctest --output-on-failure -j $(JOBS)

# Every libFuzzer target for FUZZ_SECONDS each, from the seeds in fuzz/corpus.
fuzz: deps
	@cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
		-DQUORVANE_FUZZ=ON -DQUORVANE_BUILD_TESTS=OFF >/dev/null
	@cmake --build $(FUZZ_BUILD) --target quorvane_fuzzers -j $(JOBS)
	@./fuzz/run-fuzzers.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

# The Debian package, built from the same tree as the tests; CPack strips it.
package: build
	@rm -f $(BUILD)/packages/quorvane_*.deb
	@cd $(BUILD) && cpack -G DEB -B $(abspath $(BUILD))/packages

package-check: package
	@./packaging/check-package.sh $(BUILD)/packages/quorvane_*.deb

# Release build of its own (build-bench), every benchmark beside its baseline,
# one table, written to bench/results/. Run it on a quiet machine.
bench:
	@JOBS=$(JOBS) ./scripts/bench.sh

# Both programs and the plain tests for 64-bit Windows, cross-built with
# MinGW-w64 into $(WIN_BUILD) against Qt for Windows, which
# scripts/build-qt-windows.sh builds once into a cache (README, "Windows").
windows: deps
	@kit=$$(./scripts/build-qt-windows.sh) && \
	cmake -S . -B $(WIN_BUILD) -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
		-DCMAKE_BUILD_TYPE=Release -DQUORVANE_GUI=ON -DCMAKE_PREFIX_PATH="$$kit" -DQT_HOST_PATH=/usr \
		-DQUORVANE_HOST_CLI_TEST=$(abspath $(BUILD))/tests/cli/cli_test $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(WIN_BUILD) -j $(JOBS)

# Those tests under Wine, and the CLI tests of the Linux build against
# quorvane-cli.exe.
windows-test: configure windows
	@cmake --build $(BUILD) -j $(JOBS) --target cli_test
	@JOBS=$(JOBS) ./scripts/windows-test.sh $(WIN_BUILD)

# $(WIN_BUILD)/quorvane-VERSION-win64.zip and quorvane-VERSION-win64-setup.exe:
# both programs with everything they need to run on a bare Windows.
windows-package: windows
	@rm -f $(WIN_BUILD)/quorvane-*-win64.zip $(WIN_BUILD)/quorvane-*-win64-setup.exe
	@cd $(WIN_BUILD) && cpack -G "ZIP;NSIS"

# Both of them under Wine, each in a fresh Wine prefix: the unpacked ZIP runs,
# the installer installs, the program starts, the uninstaller cleans up.
windows-package-check: windows-package
	@./packaging/check-windows-package.sh $(WIN_BUILD)

clean:
	@rm -rf $(BUILD) $(SAN_BUILD) $(FUZZ_BUILD) $(WIN_BUILD) $(WEB_BUILD)
