# Everything starts here: `make run` and `make test` install what is missing, build and go.
BUILD_DIR ?= build
SANITIZE_DIR ?= build-sanitize
IMAGE ?= data/sample.jpg
JOBS ?= 2
PREFIX ?= /usr/local
DESTDIR ?=

.PHONY: all deps build run test install package bench sanitize clean

all: build

deps:
	@tools/install-deps

$(BUILD_DIR)/build.ninja: | deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD_DIR)/build.ninja
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	$(BUILD_DIR)/src/app/quorvel "$(IMAGE)"

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The program, its desktop entry, icons and AppStream file under $(DESTDIR)$(PREFIX).
install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD_DIR) --prefix "$(PREFIX)"

# A Debian package (installing under /usr) in $(BUILD_DIR), named quorvel_<version>_<arch>.deb.
package: build
	cd $(BUILD_DIR) && cpack -G DEB

# The figures of the README's "Benchmarks" section, from an optimised build; the output ends with
# one "<figure> <ratio> <target> PASS|FAIL" line per figure.
bench: deps $(BUILD_DIR)/build.ninja
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVEL_BUILD_BENCH=ON
	cmake --build $(BUILD_DIR) -j $(JOBS) --target quorvel_bench
	$(BUILD_DIR)/bench/quorvel_bench

# The test suite under AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize: deps
	cmake -S . -B $(SANITIZE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUORVEL_SANITIZE=ON \
	    -DQUORVEL_BUILD_BENCH=OFF
	cmake --build $(SANITIZE_DIR) -j $(JOBS)
	cd $(SANITIZE_DIR) && QT_QPA_PLATFORM=offscreen \
	    ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$(CURDIR)/tools/lsan.supp \
	    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	    ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR)
