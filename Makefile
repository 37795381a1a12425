# The two commands of the README. Both install what is missing first.
.PHONY: run test
run:
	bash tools/run.sh
test:
	bash tools/test.sh
