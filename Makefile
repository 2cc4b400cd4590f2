# Two commands do all the set-up on a fresh Debian 12 machine:
#   make run   - install what is missing, build, lay out build/bin, start the program
#   make test  - install what is missing, build, run every test
# and a third makes the Debian package:
#   make package - build/wageloom_<version>_<arch>.deb
BUILD ?= build
JOBS  ?= 2

.PHONY: all deps configure build run test package bench clean

all: build

deps:
	./scripts/install-deps.sh

configure: deps
	@if [ ! -f $(BUILD)/build.ninja ]; then \
	    cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo; \
	fi

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	cd $(BUILD)/bin && ./wageloom

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

package: build
	cmake --build $(BUILD) --target package
	@ls $(BUILD)/wageloom_*.deb

# The benchmark compares with the sqlite3 shell, installed here when it is missing.
bench: build
	@dpkg -s sqlite3 >/dev/null 2>&1 || { \
	    if [ "$$(id -u)" -eq 0 ]; then apt-get install -y sqlite3; else sudo apt-get install -y sqlite3; fi; }
	cmake --build $(BUILD) --target wageloom_bench wageloom_register_bench report_bench plot_bench -j $(JOBS)
	$(BUILD)/bench/wageloom_bench
	$(BUILD)/bench/wageloom_register_bench
	$(BUILD)/bench/report_bench
	$(BUILD)/bench/plot_bench
	cmake --build $(BUILD) --target wageloom_rollover_bench -j $(JOBS)
	$(BUILD)/bench/wageloom_rollover_bench
	cmake --build $(BUILD) --target sheet_bench -j $(JOBS)
	$(BUILD)/bench/sheet_bench

clean:
	rm -rf $(BUILD)
