# One fuzz target per reader of outside bytes: its name (also the folder of
# its seeds under corpus/ and of its kept findings under regressions/), its
# source here, and the libraries it reads with. The caller defines
# tarvello_fuzz_target(): a libFuzzer build, or a replay of the inputs.
tarvello_fuzz_target(record RecordFuzz.cpp tarvello_refresh)
tarvello_fuzz_target(list_file ListFileFuzz.cpp tarvello_lists)
tarvello_fuzz_target(count CountFuzz.cpp tarvello_run tarvello_cli tarvello_plan)
tarvello_fuzz_target(command_line CommandLineFuzz.cpp tarvello_cli)
