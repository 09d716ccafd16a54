# Two commands: `make run` builds and starts the editor, `make test` builds and runs every test.
# Each first installs whatever Debian packages are missing (scripts/bootstrap).
BUILD ?= build
ASAN_BUILD ?= build-asan
ASAN_ALL_BUILD ?= build-asan-all
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
JOBS ?= $(shell nproc)

.PHONY: run test build bootstrap configure sanitize sanitize-all fuzz clean

bootstrap:
	@scripts/bootstrap

configure: bootstrap
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@$(BUILD)/bin/kestrel

# Core tests once more under AddressSanitizer and UndefinedBehaviorSanitizer (no Qt: quick).
sanitize: bootstrap
	@cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKESTREL_SANITIZE=ON -DKESTREL_CORE_ONLY=ON >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)
	@cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS)

# Every test, the windows' Qt Tests included, under the same sanitizers (slower; not part
# of `make test`). Qt's own libraries are not instrumented, and Qt keeps some memory until
# exit, so leaks are not looked at.
sanitize-all: bootstrap
	@cmake -S . -B $(ASAN_ALL_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKESTREL_SANITIZE=ON >/dev/null
	@cmake --build $(ASAN_ALL_BUILD) -j $(JOBS)
	@cd $(ASAN_ALL_BUILD) && ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure -j $(JOBS)

# The project file reader under libFuzzer (clang), for FUZZ_SECONDS seconds.
fuzz: bootstrap
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DKESTREL_FUZZ=ON -DKESTREL_CORE_ONLY=ON \
	  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all" >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS) --target prjfile_reader_fuzz
	@mkdir -p $(FUZZ_BUILD)/corpus
	@cd $(FUZZ_BUILD) && bin/prjfile_reader_fuzz -max_total_time=$(FUZZ_SECONDS) -max_len=65536 \
	  corpus $(CURDIR)/fuzz/corpus

test: build sanitize
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(ASAN_ALL_BUILD) $(FUZZ_BUILD)
