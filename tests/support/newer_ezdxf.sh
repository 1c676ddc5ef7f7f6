#!/bin/sh
# A newer ezdxf than Debian 12's, as a second oracle where ezdxf 0.18 draws a case wrongly
# itself (clipped block references): Debian trixie's python3-ezdxf is pure Python and runs on
# Debian 12's python3, numpy, fonttools and matplotlib.
#
#   tests/support/newer_ezdxf.sh DEST
#
# Unpacks the package under DEST once (a private apt configuration there: the machine's sources
# and package lists stay as they are) and prints the folder to put first on Python's path.
# Exit status 1 when it cannot be had (no network): tests that need it skip.
set -u
dest=$1
site=$dest/root/usr/lib/python3/dist-packages
mkdir -p "$dest" || exit 1
exec 9>"$dest/.lock"
flock 9
if [ ! -f "$site/ezdxf/__init__.py" ]; then
    mkdir -p "$dest/apt/lists/partial" "$dest/apt/cache/archives/partial" "$dest/deb" || exit 1
    # The machine's own Debian mirror, for trixie.
    mirror=$(apt-get indextargets --format '$(REPO_URI) $(RELEASE)' 2>/dev/null |
        awk '$2 !~ /-/ {print $1; exit}')
    [ -n "$mirror" ] || exit 1
    echo "deb [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $mirror trixie main" >"$dest/apt/sources.list"
    set -- -o Dir::Etc::SourceList="$dest/apt/sources.list" -o Dir::Etc::SourceParts=/dev/null \
        -o Dir::State::Lists="$dest/apt/lists" -o Dir::Cache="$dest/apt/cache" -o APT::Sandbox::User=root
    timeout 300 apt-get "$@" -qq update >"$dest/apt.log" 2>&1 || exit 1
    (cd "$dest/deb" && timeout 300 apt-get "$@" -qq download python3-ezdxf) >>"$dest/apt.log" 2>&1 || exit 1
    rm -rf "$dest/root"
    dpkg-deb -x "$dest"/deb/python3-ezdxf_*_all.deb "$dest/root" || exit 1
fi
PYTHONPATH=$site /usr/bin/python3 -c "import ezdxf.xclip" 2>/dev/null || exit 1
echo "$site"
