# Two commands: `make run` builds and starts the editor, `make test` builds and runs every test.
# Each first installs whatever Debian packages are missing (scripts/bootstrap).
BUILD ?= build
ASAN_BUILD ?= build-asan
JOBS ?= $(shell nproc)

.PHONY: run test build bootstrap configure sanitize clean

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

test: build sanitize
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
