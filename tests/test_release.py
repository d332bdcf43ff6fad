"""A release as anyone can check it (docs/release.md): the same bytes built elsewhere; a tree not committed refused."""
import os, pathlib, shutil, subprocess

from support.demo import TOP

ARTIFACTS = pathlib.Path(os.environ["WAVEGRID_ARTIFACTS"])


def run(*command, **options):
    done = subprocess.run(command, capture_output=True, text=True, timeout=900, **options)
    assert done.returncode == 0, f"{command}: {done.stdout[-2000:]}{done.stderr[-2000:]}"
    return done.stdout


def files(folder):
    return sorted(p.relative_to(folder) for p in folder.rglob("*") if p.is_file() and "arm64" not in p.name)


def test_a_second_build_elsewhere_gives_the_same_bytes(tmp_path):
    copy, out = tmp_path / "elsewhere", tmp_path / "out"
    run("bash", "-c", f"set -eo pipefail; . scripts/helpers/lib.sh; copy_sources {copy}", cwd=TOP)  # as deb.sh copies them
    shutil.copytree(f"{TOP}/build/windows-sdl", copy / "build/windows-sdl", symlinks=True)  # built once
    env, stamp = {**os.environ, "TZ": "Asia/Tokyo", "LANG": "fr_FR.UTF-8"}, run("git", "log", "-1", "--format=%ct", cwd=TOP).strip()
    # The page holds no time: built as from a tarball, no .git, no time given (debian/changelog's newest).
    for script in "deb.sh", "windows.sh", "web.sh":
        run("sh", "-c", f"umask 002 && exec scripts/{script} --out {out}", cwd=copy,
            env={**env, "SOURCE_DATE_EPOCH": "" if script == "web.sh" else stamp})
    assert {p.suffix for p in files(out)} >= {".deb", ".zip", ".html", ".js", ".wasm", ".data"}, files(out)
    for name in files(out):
        if (ARTIFACTS / name).read_bytes() != (out / name).read_bytes():
            why = subprocess.run(["diffoscope", "--text", "-", ARTIFACTS / name, out / name],
                                 capture_output=True, text=True, timeout=600).stdout
            raise AssertionError(f"{name} is not the same built again elsewhere:\n{why[:4000]}")


def test_release_refuses_a_tree_not_committed(tmp_path):
    run("git", "clone", "-q", TOP, tmp_path / "clone")
    (tmp_path / "clone/README.md").write_text("changed")
    refused = subprocess.run([tmp_path / "clone/scripts/release.sh"], capture_output=True, text=True, timeout=60)
    assert refused.returncode == 1 and "not committed: README.md" in refused.stderr, refused.stderr
    assert not (tmp_path / "clone/dist").exists()
