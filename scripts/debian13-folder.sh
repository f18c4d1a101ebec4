# Sourced by the scripts that make, use or report the Debian 13 folder with Wine 10 (the
# scaled set-ups): where it is. QUORVANE_DEBIAN13 chooses another place.
DEBIAN13=${QUORVANE_DEBIAN13:-/var/lib/quorvane/debian13}
