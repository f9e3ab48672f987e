#!/usr/bin/env python3
"""kalmeno-sync with a real CalDAV server: Radicale on 127.0.0.1 (a free port, a temporary storage
folder), vdirsyncer between the server and two vdir folders, khal reading the second folder,
python3-caldav and python3-icalendar asking the server, ical.js reading an object, curl acting as
another client, and the month view of the real program showing what came back."""
import json
import os
import shutil
import socket
import struct
import subprocess
import sys
import tempfile
import time
import unittest

BUILD = sys.argv.pop(1) if len(sys.argv) > 1 else "build"
SYNC = os.path.join(BUILD, "tools", "kalmeno-sync")
LUNAR = os.path.join(BUILD, "tools", "kalmeno-lunar")
USER = ("kalmeno", "secret")
FLAGS = {"lunar": 0x1, "yearly": 0x10, "holiday": 0x100}


def record(date, time_, title, memo="", *kinds):
    flags = sum(FLAGS[k] for k in kinds)
    text = lambda s, units: (s.encode("utf-16-le") + b"\0" * (2 * units))[: 2 * units]
    return struct.pack("<7H", *date, *time_, flags) + text(title, 11) + text(memo, 31)


def titles(data_path):
    data = read(data_path, "rb")
    out = []
    for at in range(0, len(data) - len(data) % 98, 98):
        units = data[at + 14: at + 36].decode("utf-16-le")
        out.append(units.split("\0")[0])
    return sorted(out)


def run(*args, env=None, input_=None):
    done = subprocess.run(args, capture_output=True, text=True, env=env, input=input_)
    if done.returncode != 0:
        raise AssertionError(f"{args} ended {done.returncode}:\n{done.stdout}\n{done.stderr}")
    return done.stdout


def write(path, data):
    with open(path, "wb" if isinstance(data, bytes) else "w") as file:
        file.write(data)


def read(path, mode="r"):
    with open(path, mode) as file:
        return file.read()


def stamps(*paths):
    seen = {}
    for path in paths:
        for root, _, files in os.walk(path) if os.path.isdir(path) else [(os.path.dirname(path), [], [os.path.basename(path)])]:
            for name in files:
                info = os.lstat(os.path.join(root, name))
                seen[os.path.join(root, name)] = (info.st_ino, info.st_mtime_ns)
    return seen


class RoundTrip(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.mkdtemp(prefix="ksync-")
        self.env = dict(os.environ, HOME=self.dir, XDG_CONFIG_HOME=self.dir, XDG_DATA_HOME=self.dir,
                        LANG="C.UTF-8", TZ="Asia/Seoul", KALMENO_NOW="2026-12-07T09:00:00",
                        KALMENO_REGISTRY=os.path.join(self.dir, "registry.reg"))
        with socket.socket() as probe:
            probe.bind(("127.0.0.1", 0))
            self.port = probe.getsockname()[1]
        self.base = f"http://127.0.0.1:{self.port}"
        self.calendar = f"{self.base}/{USER[0]}/calendar/"
        self.server = subprocess.Popen(
            [sys.executable, "-m", "radicale", "--config", "", "--server-hosts", f"127.0.0.1:{self.port}",
             "--auth-type", "none", "--storage-filesystem-folder", os.path.join(self.dir, "storage"),
             "--logging-level", "warning"], stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        for _ in range(600):  # until it listens, or it has ended
            if self.server.poll() is not None:
                self.fail("Radicale ended: " + self.server.stderr.read().decode())
            try:
                socket.create_connection(("127.0.0.1", self.port)).close()
                break
            except OSError:
                time.sleep(0.1)
        self.curl("-X", "MKCALENDAR", self.calendar)
        self.vdirs = [os.path.join(self.dir, name) for name in ("vdir1", "vdir2")]
        config = '[general]\nstatus_path = "%s/status/"\n' % self.dir
        for n, vdir in enumerate(self.vdirs, 1):
            os.mkdir(vdir)
            config += (f'[pair p{n}]\na = "local{n}"\nb = "server{n}"\ncollections = null\n'
                       f'[storage local{n}]\ntype = "filesystem"\npath = "{vdir}/"\nfileext = ".ics"\n'
                       f'[storage server{n}]\ntype = "caldav"\nurl = "{self.calendar}"\n'
                       f'username = "{USER[0]}"\npassword = "{USER[1]}"\n')
        self.vdirsyncer_config = os.path.join(self.dir, "vdirsyncer.conf")
        write(self.vdirsyncer_config, config)
        self.khal_config = os.path.join(self.dir, "khal.conf")
        write(self.khal_config,
            f"[calendars]\n[[k]]\npath = {self.vdirs[1]}\ntype = calendar\n[locale]\ntimeformat = %H:%M\n"
            "dateformat = %Y-%m-%d\nlongdateformat = %Y-%m-%d\ndatetimeformat = %Y-%m-%d %H:%M\n"
            "longdatetimeformat = %Y-%m-%d %H:%M\nlocal_timezone = Asia/Seoul\ndefault_timezone = Asia/Seoul\n"
            f"[sqlite]\npath = {self.dir}/khal.db\n")
        self.data = os.path.join(self.dir, "qmrv.dat")

    def tearDown(self):
        self.server.terminate()
        self.server.wait()
        self.server.stderr.close()
        if not sys.exc_info()[0] and (not hasattr(self, "_outcome") or self._outcome.success):
            shutil.rmtree(self.dir)
        else:
            print("kept", self.dir, file=sys.stderr)

    def curl(self, *args):
        return run("curl", "-sS", "-f", "-u", ":".join(USER), *args)

    def vdirsyncer(self, pair):
        run("vdirsyncer", "-c", self.vdirsyncer_config, "discover", pair, env=self.env, input_="y\n" * 4)
        run("vdirsyncer", "-c", self.vdirsyncer_config, "sync", pair, env=self.env)

    def sync(self, *extra):
        return run(SYNC, *extra, self.vdirs[0], self.data, env=self.env)

    def expected_dates(self, month_day, first=2026, last=2036):
        tsv = run(LUNAR, "--next", month_day, "--from", f"{first}-01-01", "--count", str(last - first + 1), "--tsv", env=self.env)
        return [line.split("\t")[2] for line in tsv.splitlines() if int(line.split("\t")[2][:4]) <= last]

    def test_round_trips(self):
        write(self.data, record((2025, 8, 15), (0, 0, 0), "추석", "", "lunar", "yearly", "holiday") +
                                    record((2025, 8, 30), (19, 0, 0), "제사", "큰집", "lunar", "yearly"))
        self.sync("--from", "2026", "--to", "2036")
        self.vdirsyncer("p1")
        self.vdirsyncer("p2")
        chuseok = self.expected_dates("08-15")
        self.assertEqual(chuseok[:3], ["2026-09-25", "2027-09-15", "2028-10-03"])
        jesa = self.expected_dates("08-30")

        # khal, reading the second folder, lists each year's date.
        listed = run("khal", "-c", self.khal_config, "list", "--day-format", "", "--format", "{start-date} {title}",
                     "2026-01-01", "2036-12-31", env=self.env).split("\n")
        self.assertEqual([l[:10] for l in listed if l.endswith(" 추석")], chuseok)
        self.assertEqual([l[:10] for l in listed if l.endswith(" 제사")], jesa)

        # One object on the server; the server finds it on each year's day (python3-caldav), and
        # python3-icalendar reads the same dates from it.
        import caldav
        import icalendar
        calendar = caldav.DAVClient(self.calendar, username=USER[0], password=USER[1]).calendar(url=self.calendar)
        self.assertEqual(len(calendar.events()), 2)
        import datetime
        for day in chuseok:
            start = datetime.datetime.fromisoformat(day)
            found = calendar.date_search(start, start + datetime.timedelta(days=1), expand=False)
            self.assertEqual([str(icalendar.Calendar.from_ical(e.data).walk("VEVENT")[0]["SUMMARY"]) for e in found],
                             ["추석"], day)
        event = [e for e in calendar.events() if "추석" in e.data][0]
        vevent = icalendar.Calendar.from_ical(event.data).walk("VEVENT")[0]
        rdates = vevent.get("RDATE")
        rdates = rdates if isinstance(rdates, list) else [rdates]
        starts = {vevent["DTSTART"].dt} | {d.dt for r in rdates for d in r.dts}
        self.assertEqual(sorted(d.strftime("%Y-%m-%d") for d in starts), chuseok)

        # ical.js, as a web client, expands the same days.
        object_file = [os.path.join(self.vdirs[1], n) for n in os.listdir(self.vdirs[1])
                       if "추석" in read(os.path.join(self.vdirs[1], n))][0]
        node_env = dict(self.env, NODE_PATH=os.path.join(BUILD, "npm", "node_modules"))
        js = os.path.join(os.path.dirname(os.path.abspath(__file__)), "icaljs_dates.js")
        self.assertEqual(run("node", js, object_file, "2036", env=node_env).split(), chuseok)

        # An event made on the server (curl) reaches the data file and the month view.
        self.curl("-X", "PUT", "-H", "Content-Type: text/calendar", "--data-binary",
                  "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//curl//EN\r\nBEGIN:VEVENT\r\nUID:dentist-1\r\n"
                  "DTSTAMP:20261201T000000Z\r\nDTSTART:20261215T100000\r\nSUMMARY:치과\r\nEND:VEVENT\r\n"
                  "END:VCALENDAR\r\n", self.calendar + "dentist-1.ics")
        self.vdirsyncer("p1")
        self.assertIn("Kalmeno에 추가: '치과'", self.sync())
        self.assertEqual(titles(self.data), ["제사", "추석", "치과"])
        texts = self.month_view_texts("2026-12-07T09:00:00")  # the label drawn after the day's number
        self.assertTrue(texts[texts.index("15") + 1].startswith("치과"), texts)

        # Removed on the server: removed from Kalmeno. Removed in Kalmeno: removed from the server.
        self.curl("-X", "DELETE", self.calendar + "dentist-1.ics")
        self.vdirsyncer("p1")
        self.sync()
        self.assertEqual(titles(self.data), ["제사", "추석"])
        data = read(self.data, "rb")
        write(self.data, b"".join(data[i:i + 98] for i in range(0, len(data), 98)
                                             if "제사".encode("utf-16-le") not in data[i:i + 98]))
        self.assertIn("폴더에서 지움: '제사'", self.sync())
        self.vdirsyncer("p1")
        self.assertEqual([str(icalendar.Calendar.from_ical(e.data).walk("VEVENT")[0]["SUMMARY"])
                          for e in calendar.events()], ["추석"])

        # Changed on both sides: both versions stay, on the server too.
        self.vdirsyncer("p2")
        chuseok_file = [os.path.join(self.vdirs[1], n) for n in os.listdir(self.vdirs[1])
                        if "추석" in read(os.path.join(self.vdirs[1], n))][0]
        text = read(chuseok_file)
        write(chuseok_file, text.replace("SUMMARY:추석", "SUMMARY:한가위"))
        self.vdirsyncer("p2")
        write(self.data, record((2025, 8, 15), (0, 0, 0), "추석", "성묘", "lunar", "yearly", "holiday"))
        self.vdirsyncer("p1")
        self.assertIn("둘 다 남김", self.sync())
        self.assertEqual(titles(self.data), ["추석", "한가위"])
        self.vdirsyncer("p1")
        self.assertEqual(sorted(str(icalendar.Calendar.from_ical(e.data).walk("VEVENT")[0]["SUMMARY"])
                                for e in calendar.events()), ["추석", "한가위"])

        # A second run with nothing changed writes no file.
        state = [os.path.join(self.dir, n) for n in os.listdir(self.dir) if n.startswith("qmrv.dat.sync-")]
        before = stamps(self.vdirs[0], self.data, *state)
        self.assertEqual(self.sync(), "")
        self.assertEqual(stamps(self.vdirs[0], self.data, *state), before)

    def month_view_texts(self, now):
        """The texts the real program's month view draws for the data file beside it."""
        program = os.path.join(self.dir, "kalmeno")
        shutil.copy(os.path.join(BUILD, "app", "kalmeno"), program)
        trace, script = os.path.join(self.dir, "trace.txt"), os.path.join(self.dir, "script.txt")
        write(script, "wait 100\nquit\n")
        env = dict(self.env, KALMENO_NOW=now, KALMENO_SCRIPT=script, KALMENO_TRACE=trace,
                   QT_QPA_PLATFORM="offscreen", KALMENO_CLOCK="stepped")
        subprocess.run([program], env=env, capture_output=True, timeout=120)
        texts = [line.split("\t")[-1] for line in read(trace).splitlines()
                 if line.split("\t")[1:2] == ["text"]]
        os.remove(program)
        return texts


if __name__ == "__main__":
    unittest.main()
