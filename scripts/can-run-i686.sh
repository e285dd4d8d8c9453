#!/usr/bin/env bash
# Exit 0 when this machine can run 32-bit Windows programs under Wine. The 32-bit loader alone
# answers in milliseconds; it fails with "Exec format error" where the kernel has no 32-bit support.
/usr/lib/wine/wine --version >/dev/null 2>&1
