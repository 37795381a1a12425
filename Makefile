# The commands of the README. Each installs what is missing first.
# `make lint` runs clang-tidy over the sources (not part of `make test`).
.PHONY: run test lint fuzz
# Seconds each libFuzzer target runs in `make fuzz` (also taken from the
# environment): make fuzz FUZZ_SECONDS=10
FUZZ_SECONDS ?= 60
run:
	bash tools/run.sh
test:
	bash tools/test.sh
lint:
	bash tools/setup.sh
	bash tools/lint.sh
fuzz:
	FUZZ_SECONDS=$(FUZZ_SECONDS) bash tools/fuzz.sh
