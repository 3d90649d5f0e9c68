"""install-deps.sh with apt, dpkg and the network replaced by stand-ins that record their calls:
what each set asks of the system, also when the mirror serves a broken index."""

import os
import stat
import subprocess
import tempfile
import unittest

SCRIPT = os.path.join(os.path.dirname(__file__), "..", "..", "scripts", "install-deps.sh")
BROKEN_INDEX = "http://deb.example.org/debian/dists/bookworm/main/binary-amd64/Packages.xz"

# Every program the script could change the system with is a stand-in; each call is logged.
STUBS = {
    "id": 'echo 0',
    "dpkg-query": 'for a; do [[ " $MISSING " == *" $a "* ]] && exit 1; done; '
                  'echo -n "install ok installed"',
    "dpkg": '[[ $1 == --print-foreign-architectures ]] && exit 0; exit 0',
    "apt-get": 'if [[ $1 == update && -n $BROKEN ]]; then '
               'echo "E: Failed to fetch $BROKEN  File has unexpected size"; exit 100; fi; exit 0',
    "curl": 'exit 22',
    "xz": 'exit 0',
    "install": 'exit 0',
    "localedef": 'exit 0',
    "locale": 'echo de_DE.utf8',
    "sleep": 'exit 0',
    "sudo": 'exit 1',
}


def run(package_set, missing, broken=""):
    """Runs the script; returns (exit status, the logged calls as lists of words)."""
    with tempfile.TemporaryDirectory() as stubs:
        log = os.path.join(stubs, "calls.log")
        for name, body in STUBS.items():
            path = os.path.join(stubs, name)
            with open(path, "w") as f:
                f.write(f'#!/bin/bash\necho "{name} $*" >> "{log}"\n{body}\n')
            os.chmod(path, os.stat(path).st_mode | stat.S_IXUSR)
        env = dict(os.environ, PATH=stubs + ":/usr/bin:/bin", MISSING=" ".join(missing),
                   BROKEN=broken)
        done = subprocess.run(["bash", SCRIPT, package_set], env=env, capture_output=True,
                              text=True, timeout=60)
        calls = []
        if os.path.exists(log):
            with open(log) as f:
                calls = [line.split() for line in f]
        return done.returncode, calls


def programs(calls):
    return [call[0] for call in calls]


class InstallDeps(unittest.TestCase):
    def test_a_complete_set_calls_no_package_tool(self):
        for package_set in ("run", "test"):
            code, calls = run(package_set, [])
            self.assertEqual(code, 0)
            self.assertNotIn("apt-get", programs(calls), package_set)
            self.assertNotIn(["dpkg", "--add-architecture", "i386"], calls, package_set)

    def test_the_run_set_installs_what_is_missing_and_nothing_of_the_tests(self):
        code, calls = run("run", ["qt6-webengine-dev", "wine"])
        self.assertEqual(code, 0)
        self.assertIn(["apt-get", "install", "-y", "--no-install-recommends",
                       "qt6-webengine-dev"], calls)  # wine is no package of the run set
        self.assertNotIn(["dpkg", "--add-architecture", "i386"], calls)

    def test_a_broken_index_is_taken_unverified_for_the_test_set_only(self):
        # The run set is what a person installs on their own desktop: apt's checks stay whole,
        # so no index is fetched past them.
        code, calls = run("run", ["qt6-webengine-dev"], BROKEN_INDEX)
        self.assertEqual(code, 0)
        self.assertNotIn("curl", programs(calls))
        self.assertNotIn("install", programs(calls))
        self.assertIn("qt6-webengine-dev", calls[-1])
        # The test set needs it to pair the 32-bit Wine with the 64-bit libraries.
        code, calls = run("test", ["wine32:i386"], BROKEN_INDEX)
        self.assertIn(["dpkg", "--add-architecture", "i386"], calls)
        self.assertIn(["curl", "-fsS", BROKEN_INDEX], calls)


if __name__ == "__main__":
    unittest.main()
