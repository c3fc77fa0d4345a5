# Sourced by the scripts that run Wine. Runtime 8, the default, is the system's Wine (Debian 12's); runtime 10
# is Debian 13's, from a root of its own: it sends what Windows sends where Wine 8 does not (a radio button
# that gets the focus unchecked reports a click). `use_wine N` puts runtime N's programs first on PATH;
# `wine_prefix BASE N` prints its prefix, as each runtime has a prefix of its own.
wine10_wrappers=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/wine10
use_wine() {
  case $1 in
    8) PATH=${PATH//"$wine10_wrappers:"/} ;;
    10) [[ :$PATH: == *":$wine10_wrappers:"* ]] || PATH=$wine10_wrappers:$PATH ;;
    *) echo "WINE is 8 or 10, not $1" >&2; return 2 ;;
  esac
  export PATH
}
wine_prefix() { if [[ $2 == 10 ]]; then echo "$1-wine10"; else echo "$1"; fi; }
