# Shared by run-short.sh and run-long.sh (sourced from the top of the work
# tree, never run by itself): the fuzz build, the targets with their seed
# corpora, and one bounded run of a target.

fuzz_out=build/fuzz/fuzz             # the fuzz targets, as the fuzz preset builds them
fuzz_artifacts=build/fuzz/artifacts  # logs, and the input of any failure

# Each target: its name, its seed folders below fuzz/corpus (what a long run
# finds is kept in the first), and libFuzzer options of its own.
fuzz_targets=(
  "models_fuzz models"
  "registry_fuzz registry"
  "language_fuzz language help"
  "key_script_fuzz keys"
  "event_fuzz events -max_len=512"
)

fuzz_build() {
  cmake --preset fuzz >/dev/null
  cmake --build --preset fuzz -j "$(nproc)"
  mkdir -p "$fuzz_artifacts"
}

# Splits one entry of fuzz_targets into $target, $seeds (paths of the seed
# folders) and $options.
fuzz_entry() {
  local field fields
  read -r target fields <<<"$1"
  seeds=()
  options=()
  for field in $fields; do
    if [[ $field == -* ]]; then options+=("$field"); else seeds+=("fuzz/corpus/$field"); fi
  done
}

# fuzz_run TARGET SECONDS CORPUS [ARGS...]: one run of TARGET for SECONDS
# from CORPUS (where new inputs go) and the folders among ARGS, its output in
# $fuzz_artifacts/TARGET.log. A failing input is kept below the build folder,
# never in the work tree; on a failure the fuzzer's report is printed.
fuzz_run() {
  local target=$1 seconds=$2 corpus=$3
  shift 3
  mkdir -p "$corpus"
  local log="$fuzz_artifacts/$target.log"
  if "$fuzz_out/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
       -artifact_prefix="$fuzz_artifacts/$target-" -print_final_stats=1 \
       "$corpus" "$@" >"$log" 2>&1; then
    return 0
  fi
  tail -n 40 "$log"
  echo "$target failed; its input is in $fuzz_artifacts/"
  return 1
}
