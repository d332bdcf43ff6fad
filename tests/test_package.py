"""The package as a user gets it: installed by apt in a fresh root of this release, started from /,
purged. With WAVEGRID_ARCH=arm64, the arm64 package, its libraries installed by apt beside the
root's own (multiarch), its programs run under qemu-user."""
import glob, os, platform, shutil, subprocess, tempfile

from support.demo import TOP, Demo, bmp, failed, grab, move, tap, tinted, wait_lit, write

SCRIPTS, DEBS = f"{TOP}/scripts", glob.glob(os.environ["WAVEGRID_DEB"])
assert len(DEBS) == 1, f"want one package as {os.environ['WAVEGRID_DEB']}, found {DEBS}"
DEB, NAME = DEBS[0], os.path.basename(DEBS[0])
ARCH = os.environ.get("WAVEGRID_ARCH")  # emulated, the demo draws a frame or two a second


def inroot(root, *command):
    run = subprocess.run([f"{SCRIPTS}/inroot.sh", root, *command], capture_output=True, text=True, timeout=1200)
    assert run.returncode == 0, run.stdout + run.stderr


def launched(root):  # as from a terminal in /, or the menu
    return Demo(wrap=[f"{SCRIPTS}/inroot.sh", root, "/bin/sh", "-c"], cmd="cd / && exec wavegrid")


def test_installs_starts_from_anywhere_refuses_a_bad_sprite_and_purges_clean(dpy):
    assert os.getuid() == 0, "needs root: it makes a Debian root"
    root = tempfile.mkdtemp(prefix="wavegrid-package.", dir="/var/tmp")
    try:
        release = platform.freedesktop_os_release()["VERSION_CODENAME"]
        subprocess.run([f"{SCRIPTS}/mkroot.sh", release, root], check=True, timeout=1200)
        shutil.copy(DEB, f"{root}/tmp/")
        inroot(root, "sh", "-c", f"{f'dpkg --add-architecture {ARCH} && ' if ARCH else ''}apt-get update -q && "
               f"apt-get install -y -q /tmp/{NAME}")
        move(dpy, 400, 300)
        demo = launched(root)
        assert wait_lit(dpy, demo, 300 if ARCH else 60) and tinted(grab(dpy)), demo.errors()
        tap(dpy, "Escape")
        assert demo.finish(120 if ARCH else 30) == 0, demo.errors()
        write(f"{root}/usr/share/games/wavegrid/data/sprite01.bmp", bmp(64, 64, "RGB")[:20])
        failed(launched(root), "Sprite texture loading failed: ")  # the installed sprite, with SDL's reason
        inroot(root, "apt-get", "purge", "-y", "-q", "wavegrid")
        left = {d[len(root):] + "/" + n for d, ds, ns in os.walk(root) for n in ds + ns if "wavegrid" in n}
        assert left <= {f"/tmp/{NAME}"}, left
    finally:
        shutil.rmtree(root, ignore_errors=True)
