#!/usr/bin/env python3
"""Measures the suite: seeds faults one at a time and runs the tests that should catch each. A
fault the tests miss is a promise they do not prove. Not part of the suite; run it by hand.
  seed-faults.py page [TESTS [NAMES]]     faults in the built page (a copy of build/test/artifacts/web)
  seed-faults.py source [TESTS [NAMES]]   faults in the batching layer and the package, each rebuilt,
                                          and in the worker's maker and the server
TESTS is a tests folder: tests/, or another checkout's, to measure its tests alike; NAMES, a
regular expression, picks faults by name. As root, after scripts/test.sh, from the top of the
tree; it prints a line a fault."""
import glob, os, pathlib, re, shutil, subprocess, sys, tempfile

TOP = pathlib.Path(__file__).resolve().parent.parent
TESTS = pathlib.Path(sys.argv[2] if len(sys.argv) > 2 else TOP / "tests").resolve()
NAMES = re.compile(sys.argv[3] if len(sys.argv) > 3 else "")

# In the built page (index.html, page.js, sw.js, the manifest): each handler, control and promised number.
PAGE = [("a press gives nothing", "press(button, e.pointerId);", ""),
        ("capture kept: no slide off", "button.releasePointerCapture(e.pointerId);", ""),
        *[(f"no {e}", f'"{e}", ', "") for e in ("pointerup", "pointercancel", "blur", "pagehide", "resize")],
        ("no pointerleave", ', "pointerleave"]', "]"), ("no orientationchange", ', "orientationchange"]', "]"),
        ("no visibilitychange", 'document.addEventListener("visibilitychange"', 'document.addEventListener("x"'),
        ("any finger lets go", "e.pointerId === button.pointer && ", ""),
        ("a second finger presses again", "if (button.timer || stopped) return;", "if (stopped) return;"),
        ("pressed after the end", "if (button.timer || stopped) return;", "if (button.timer) return;"),
        ("the end holds on", "  pads.forEach(release);\n  awake", "  awake"),
        ("a click holds on", "press(button, -1), release(button)", "press(button, -1)"),
        ("a long press opens a menu", "button.oncontextmenu = (e) => e.preventDefault();", ""),
        ("first repeat at 200 ms", "}, 100);", "}, 200);"), ("repeats every 60 ms", "setTimeout(repeat, 30)", "setTimeout(repeat, 60)"),
        ("repeats every 15 ms", "setTimeout(repeat, 30)", "setTimeout(repeat, 15)"),
        ("the key not by keyCode", "{ keyCode: code, which: code,", "{ which: code,"),
        ("keys on the page, not the canvas", "canvas.dispatchEvent(new KeyboardEvent", "document.dispatchEvent(new KeyboardEvent"),
        ("no keyup", 'key("keyup", +button.dataset.key, false);', ""),
        ("the repeat goes on", "clearTimeout(button.timer);", ""),
        ("Nearer gives Down", 'data-key="38"', 'data-key="40"'), ("Quit gives r", 'data-key="27"', 'data-key="82"'),
        ("no buttons on a phone", 'matchMedia("(pointer: coarse)").matches && buttons.add("pad");', ""),
        ("On-screen controls do nothing", 'getElementById("buttons").onclick', 'getElementById("buttons").onkeyup'),
        ("the keys stay with the button", 'buttons.toggle("pad"), canvas.focus()', 'buttons.toggle("pad")'),
        ("no Full screen", "full.hidden = !(", "full.hidden = true || !("),
        ("a lost WebGL unsaid", '"webglcontextlost"', '"webglcontextrestored"'),
        ("a file said nothing of", 'location.protocol == "file:"', 'location.protocol == "ftp:"'),
        ("no file checked", "if (!answer.ok)", "if (false)"),
        # Kept offline (sw.js, the manifest): installable, each folder its own, updated whole.
        ("never kept", 'workers.register("sw.js")', 'workers.register("none.js")'),
        ("one cache for every folder", 'mine = "wavegrid " + scope + " "', 'mine = "wavegrid "'),
        ("a build kept in part", "got.push([file, new Response(bytes, { headers: answer.headers })]);",
         "await (await caches.open(cache)).put(file, new Response(bytes, { headers: answer.headers }));"),
        ("a failed install drops the kept copy", "  throw error;\n})));", "  await caches.delete(cache);\n  throw error;\n})));"),
        ("a worker of no build installs", "if (!BUILD) throw", "if (false) throw"),
        ("a lost copy never kept again", "keeping || keepWhole()", "keeping || Promise.resolve()"),
        ("a lost copy's files reused unasked", 'cache: "no-cache" }); // as the host', 'cache: "default" }); // as the host'),
        ("the worker needs Object.hasOwn", "Object.prototype.hasOwnProperty.call(FILES, file)", "Object.hasOwn(FILES, file)"),
        ("a copy not kept unsaid", "page.postMessage(", "void ("),
        ("no file's bytes checked", " || (await hash(bytes)) != sum", ""),
        ("old builds kept", "if (name.startsWith(mine) && name != cache) await caches.delete(name);", ""),
        ("nothing answered offline", "e.respondWith(", "void ("),
        ("a new build takes over at once", "const kept = await caches.open(cache);", "self.skipWaiting(); const kept = await caches.open(cache);"),
        ("no icons to install", '"icons": [', '"pictures": ['),
        # Any host, any network, any browser (page.js, sw.js).
        ("a redirect kept and served", "new Response(bytes, { headers: answer.headers })", "(await fetch(file))"),
        ("a conditional answer's old bytes", '{ cache: "no-store" }', '{ cache: "no-cache" }'),
        ("HEAD asked of the host", 'fetch(file, { cache: "no-cache" }).catch', 'fetch(file, { method: "HEAD" }).catch'),
        ("refused workers stop the demo", "} catch (refused) {}", "} finally {}"),
        ("a framed page unsaid", 'self.origin == "null"', 'self.origin == "none"'),
        ("the host's files reused unasked", 'fetch(file, { cache: "no-cache" }).catch', "fetch(file).catch"),
        ("a stale page runs on", "if (old && !history.state)", "if (false)"),
        ("the page's folder without / unsaid", "<span id=\"lost\"> If this stays", "<span id=\"lost\" hidden> If this stays"),
        ("installed, never asked to be kept", 'addEventListener("appinstalled", persist)', 'addEventListener("appinstalled", () => {})'),
        ("a dropped file unsaid", '.catch(() => ({ status: "no answer" }))', ""),
        ("a script's failure unsaid", "script.onerror =", "script.onerror0 ="),
        ("an unhandled rejection unsaid", '"unhandledrejection"', '"rejectionhandled"'),
        ("full screen called where there is none", "go && go.call(what)", "go.call(what)"),
        ("the screen not kept on", "stayAwake(), keep()", "keep()"),
        ("the screen kept on after the end", "awake && awake.release().catch(() => {});", ""),
        ("a failed start never hands over", "  keep(); // a newer build", "  // a newer build"),
        ("a new build takes over while a page loads", "pages.filter(ours).every((page) => done.has(page.id))", "true"),
        ("a new build never takes over", "  await self.skipWaiting();\n})()));", "})()));")]

# In the sources, each rebuilt: the batching layer (the frame drawn both ways), the package; or
# a file the web test runs itself (the worker's maker, the server), with that copy's tests.
SOURCE = [("web/gl.cpp", "c->rgba[n] = colour[n];", "c->rgba[n] = 255;", "web"),
          ("web/gl.cpp", "c->s = texcoord[0], c->t = texcoord[1];", "c->s = texcoord[1], c->t = texcoord[0];", "web"),
          ("web/gl.cpp", "m[4] * y + m[8] * z + m[12]", "m[4] * y + m[8] * z", "web"),
          ("linux/wavegrid.sh", 'cd "$here/../share/games/wavegrid"', 'cd "$here/../share/wavegrid"', "package"),
          ("debian/control", ", ${shlibs:Depends}", "", "package"),
          ("linux/wavegrid.sh", 'exec "$here', 'mkdir -p "$HOME/.wavegrid"; exec "$here', "package"),
          ("cmake/install.cmake", "DESTINATION share/games/wavegrid/data", "DESTINATION share/wavegrid/data", "package"),
          ("tools/offline.py", "(json.dumps(files) + own)", "json.dumps(files)", "kept_offline"),
          ("scripts/helpers/serve.py", "base-uri 'none'", "base-uri 'none'; frame-ancestors 'none'", "headers"),
          ("scripts/helpers/serve.py", "'wasm-unsafe-eval'", "'unsafe-eval'", "headers"),
          ("scripts/helpers/serve.py", '"application/wasm"', '"application/octet-stream"', "headers"),
          ("scripts/helpers/serve.py", '"X-Content-Type-Options", "nosniff"', '"X-Content-Type-Options", "sniff"', "headers")]


def pytest(test, env, *args, tests=TESTS):
    ini = ["-c", f"{tests}/pytest.ini"] if (tests / "pytest.ini").exists() else [  # an older checkout's
        "-p", "no:cacheprovider", "-o", "xvfb_width=800", "-o", "xvfb_height=600", "-o", "xvfb_colordepth=16"]
    run = subprocess.run(["/usr/bin/python3", "-m", "pytest", *ini, "-x", *args, f"{tests}/{test}"],
                         env={**os.environ, **env}, capture_output=True)
    assert run.returncode != 5, f"no test of {test} is picked by {args}"  # pytest's "no tests ran" is no catch
    return run.returncode != 0


def page():
    built = TOP / "build/test/artifacts/web"
    texts = {name: (built / name).read_text() for name in ("index.html", "page.js", "sw.js", "wavegrid.webmanifest")}
    with tempfile.TemporaryDirectory() as copy:
        for name, old, new in filter(lambda fault: NAMES.search(fault[0]), PAGE):
            shutil.copytree(built, copy, dirs_exist_ok=True)
            file = next(f for f, text in texts.items() if old in text)
            (pathlib.Path(copy) / file).write_text(texts[file].replace(old, new, 1))
            env = {"WAVEGRID_WEB": copy, "WAVEGRID_WEB_BUILD": str(TOP / "build/web-test")}
            print(f"{'caught' if pytest('test_web.py', env, '-k', 'not alike and not webkit and not (draws and firefox)') else 'MISSED'}: {name}", flush=True)


def source():
    for file, old, new, kind in filter(lambda fault: NAMES.search(f"{fault[0]}: {fault[1]}"), SOURCE):
        with tempfile.TemporaryDirectory() as copy:
            files = subprocess.run(["git", "ls-files", "-z"], cwd=TOP, capture_output=True).stdout.split(b"\0")
            for f in filter(None, files):
                (pathlib.Path(copy) / f.decode()).parent.mkdir(parents=True, exist_ok=True)
                shutil.copy2(TOP / f.decode(), pathlib.Path(copy) / f.decode())
            text = (pathlib.Path(copy) / file).read_text()
            assert old in text, (file, old)
            (pathlib.Path(copy) / file).write_text(text.replace(old, new, 1))
            if kind == "web":
                made = subprocess.run(["cmake", "--workflow", "--preset", "web-test"], cwd=copy, capture_output=True)
                env = {"WAVEGRID_WEB": str(TOP / "build/test/artifacts/web"), "WAVEGRID_WEB_BUILD": f"{copy}/build/web-test"}
                caught = made.returncode != 0 or pytest("test_web.py", env, "-k", "alike")
            elif kind == "package":
                made = subprocess.run(["scripts/deb.sh", "--out", "out"], cwd=copy, capture_output=True)
                caught = made.returncode != 0 or subprocess.run(
                    ["autopkgtest", "-U", "--user=tester", *glob.glob(f"{copy}/out/wavegrid_*.d[se][cb]"), "--",
                     "unshare", "-t", TOP / "build/test/testbed.tar"], capture_output=True).returncode != 0
            else:  # the page as built, by the copy's tests and what they run
                env = {"WAVEGRID_WEB": str(TOP / "build/test/artifacts/web"), "WAVEGRID_WEB_BUILD": str(TOP / "build/web-test")}
                caught = pytest("test_web.py", env, "-k", kind, tests=pathlib.Path(copy) / "tests")
            print(f"{'caught' if caught else 'MISSED'}: {file}: {old!r} -> {new!r}", flush=True)


{"page": page, "source": source}[sys.argv[1]]()
