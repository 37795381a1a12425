# The two commands of the README. Both install what is missing first.
# `make lint` runs clang-tidy over the sources (not part of `make test`).
.PHONY: run test lint
run:
	bash tools/run.sh
test:
	bash tools/test.sh
lint:
	bash tools/setup.sh
	bash tools/lint.sh
