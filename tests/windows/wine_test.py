"""End-to-end tests of the Windows build, run under Wine.

    wine_test.py --program yomiage.exe --engine AquesTalk.dll --usage usage-utf8.txt

Every run gets a fresh installation folder with the test engine as its
voices; console output is compared byte for byte (CP932, CR LF), the engine's
record call by call, and WAV files byte for byte. Exits with 77 (a skip, to
CTest) when this machine cannot run the program under Wine at all.
"""

import argparse
import shutil
import sys
import unittest
from pathlib import Path

import expected
from expected import Call, Pause, Speak, cp932, lines
from wine import Installation, WinePrefix, windows_path

PROGRAM = None
ENGINE = None
USAGE_FIXTURE = None
WINE = None

NOTHING_TO_READ = "読み上げ対象が存在しません。"
WAVE_REFUSED = "拡張子が「WAV」のファイルは入力ファイルとして使用することがきません。"
ERROR_105 = "【DllError】105:音声記号列に未定義の読み記号が指定された"
NO_ENGINE = "AquesTalk.dllの呼び出しに失敗しました。"


def usage_text():
    text = USAGE_FIXTURE.read_text(encoding="utf-8")
    return lines(*text.splitlines())


def fail(text, code):
    return ("TESTENGINE_FAIL", f"{cp932(text).hex().upper()}:{code}")


def install(*voices):
    installation = Installation(WINE, PROGRAM)
    for voice in voices:
        installation.add_voice(voice, ENGINE)
    return installation


class Start(unittest.TestCase):
    """Usage text, input choice and the exit codes of runs that end early."""

    def test_usage_text_is_cp932_with_windows_line_ends(self):
        result = install().run([])
        self.assertEqual(result.exit_code, 1)
        self.assertEqual(result.output, usage_text())
        self.assertEqual(result.errors, b"")
        self.assertEqual(result.output.count(b"\r\n"), 14)
        self.assertNotIn(b"\n", result.output.replace(b"\r\n", b""))
        # The range brackets are ASCII and the tilde is the full-width one.
        self.assertIn(b" -s\t\x81\x75-s:\x90\x94\x92\x6C(50\x81\x60300)", result.output)

    def test_runs_that_end_before_the_engine(self):
        rows = [
            (["-h"], usage_text()),
            (["/?"], usage_text()),
            # On Windows every argument that starts with "/" is an option.
            (["/help"], usage_text()),
            (["あ", "-?"], usage_text()),
            (["-o"], lines(NOTHING_TO_READ)),
            (["/o", "/tmp"], lines(NOTHING_TO_READ)),
            (["a.wav"], lines(WAVE_REFUSED)),
            (["A.WAV"], lines(WAVE_REFUSED)),
            (["empty.txt"], lines(NOTHING_TO_READ)),
            (["-o", "empty.txt"], lines(NOTHING_TO_READ)),
        ]
        installation = install("default")
        (installation.root / "empty.txt").write_bytes(b"")
        for arguments, output in rows:
            with self.subTest(arguments=arguments):
                result = installation.run(arguments)
                self.assertEqual(result.exit_code, 1)
                self.assertEqual(result.output, output)
        self.assertEqual(expected.read_record(installation.log).calls, [])

    def test_literal_arguments_reach_the_engine_in_the_ansi_code_page(self):
        installation = install("default")
        # "dll" names a folder, which opens as no file: the name is the text.
        for argument in ["こんにちは。", "dll", "<-S:150>ソース"]:
            with self.subTest(argument=argument):
                installation.log.unlink(missing_ok=True)
                result = installation.run([argument])
                self.assertEqual(result.exit_code, 0)
                spoken = argument.removeprefix("<-S:150>")
                speed = 150 if argument.startswith("<-S") else 100
                self.assertEqual(expected.read_record(installation.log).call_list(),
                                 [(cp932(spoken), speed)])

    def test_shift_jis_file_with_a_nul_byte(self):
        installation = install("default")
        result = installation.run_script(cp932("あ。") + b"\0" + cp932("い。"), ["-o"])
        self.assertEqual(result.exit_code, 0)
        self.assertEqual(result.output, lines("【音声記号】あ。"))
        self.assertEqual(expected.read_record(installation.log).call_list(), [(cp932("あ。"), 100)])


class FileMode(unittest.TestCase):
    """Scripts rendered into a WAV file: console, engine calls, file bytes."""

    ROWS = [
        ("the terminator goes in front of the next text", "あ、い。", [], [],
         ["【音声記号】あ、", "【音声記号】い。"],
         [Speak("あ、"), Pause(200), Speak("、い。"), Pause(400)]),
        ("pauses after marks follow the speed", "<-S:120>あ,い、う。", [], [],
         ["【基本速度】120", "【音声記号】あ,", "【音声記号】い、", "【音声記号】う。"],
         [Speak("あ,", 120), Pause(75), Speak(",い、", 120), Pause(166), Speak("、う。", 120),
          Pause(333)]),
        ("options written with a slash", "あ。", ["/s:150", "/v:200"], [],
         ["【音声記号】あ。"],
         [Speak("あ。", 150, 200), Pause(266)]),
        ("volume held at 600", "<-V:600><-v:600>あ", [], [],
         ["【基本音量】600", "【相対音量】600", "【音声記号】あ"],
         [Speak("あ", 100, 600)]),
        ("an engine error line, whatever the level", "あ。い", ["-m:0"], [fail("あ。", 105)],
         [ERROR_105],
         [Call("あ。"), Speak("。い")]),
        ("a text spoken in pieces", "あい;うえ;おか。", [],
         [("TESTENGINE_REFUSE_OVER", "10")],
         ["【音声記号】あい;うえ;おか。"],
         [Call("あい;うえ;おか。"), Speak("あい;うえ;"), Speak("おか。"), Pause(400)]),
        ("comments and absolute pauses", "<-c:こんにちは><-B:250>あ。", [], [],
         ["こんにちは", "【音声記号】あ。"],
         [Pause(250), Speak("あ。"), Pause(400)]),
    ]

    def test_scripts(self):
        for name, script, options, environment, console, events in self.ROWS:
            with self.subTest(name):
                installation = install("default")
                result = installation.run_script(cp932(script), ["-o", *options], environment)
                self.assertEqual(result.exit_code, 0)
                self.assertEqual(result.output, lines(*console))
                record = expected.read_record(installation.log)
                self.assertEqual(record.call_list(), expected.expected_calls(events))
                self.assertEqual(record.release_faults(), [])
                self.assertEqual(installation.read("script.wav"), expected.wave_file(events))

    def test_road_of_one_file(self):
        """The first image whole with its leading silence, the second without
        it, and the two size fields patched at the end."""
        installation = install("default")
        result = installation.run_script(cp932("<-S:120>こんにちは、げんきですか？"), ["-o"],
                                         [("TESTENGINE_LEADING_ZEROS", "3")])
        self.assertEqual(result.exit_code, 0)
        self.assertEqual(result.output, lines("【基本速度】120", "【音声記号】こんにちは、",
                                              "【音声記号】げんきですか？"))
        wave = installation.read("script.wav")
        first = expected.engine_image(cp932("こんにちは、"), 3)
        second = expected.engine_image(cp932("、げんきですか？"), 3)
        self.assertEqual(len(wave), len(first) + 166 * 16 + len(second) - 44 - 6)
        self.assertEqual(int.from_bytes(wave[4:8], "little"), len(wave) - 8)
        self.assertEqual(int.from_bytes(wave[40:44], "little"), len(wave) - 44)
        self.assertEqual(wave[44:len(first)], first[44:])
        self.assertEqual(wave[len(first) + 166 * 16:], second[44 + 6:])

    def test_appending_adds_no_second_header(self):
        installation = install("default")
        self.assertEqual(installation.run_script(cp932("あ。"), ["-o"]).exit_code, 0)
        self.assertEqual(installation.run_script(cp932("い"), ["-a"]).exit_code, 0)
        self.assertEqual(installation.read("script.wav"),
                         expected.wave_file([Speak("あ。"), Pause(400), Speak("い")]))

    def test_appending_to_a_new_file_creates_it(self):
        installation = install("default")
        self.assertEqual(installation.run_script(cp932("い"), ["-a", "-f:new.wav"]).exit_code, 0)
        self.assertEqual(installation.read("new.wav"), expected.wave_file([Speak("い")]))

    def test_the_input_file_is_never_the_output(self):
        installation = install("default")
        script = cp932("あ。")
        # The name given with -f is the input: the derived name is used.
        for option in ["-f:script.txt", "-f:SCRIPT.TXT"]:
            for mode in ["-o", "-a"]:
                with self.subTest(option=option, mode=mode):
                    (installation.root / "script.wav").unlink(missing_ok=True)
                    result = installation.run_script(script, [mode, option])
                    self.assertEqual(result.exit_code, 0)
                    self.assertEqual(installation.read("script.txt"), script)
                    self.assertEqual(installation.read("script.wav"),
                                     expected.wave_file([Speak("あ。"), Pause(400)]))
        # The derived name denotes the input itself (names ignore case).
        (installation.root / "story.Wav").write_bytes(script)
        result = installation.run(["-o", "story.Wav"])
        self.assertEqual(result.exit_code, 1)
        self.assertEqual(result.output, lines("出力ファイル「story.wav」が生成できません。"))
        self.assertEqual(installation.read("story.Wav"), script)

    def test_an_output_file_that_cannot_be_made(self):
        installation = install("default")
        result = installation.run_script(cp932("あ"), ["-f:no\\such\\folder\\x.wav"])
        self.assertEqual(result.exit_code, 0)
        self.assertEqual(installation.read("script.wav"), expected.wave_file([Speak("あ")]))
        result = installation.run(["-o", "no\\such\\folder\\x.txt"])
        self.assertEqual(result.exit_code, 1)
        self.assertEqual(result.output,
                         lines("出力ファイル「no\\such\\folder\\x.wav」が生成できません。"))


class Engine(unittest.TestCase):
    """Loading the engine DLL, voice switching, and a run without any engine."""

    def test_voice_switching_with_d_and_D(self):
        installation = install("default", "second")
        third = installation.root / "elsewhere"
        third.mkdir()
        shutil.copy(ENGINE, third / "AquesTalk.dll")
        third_path = windows_path(third / "AquesTalk.dll")
        script = (f"あ。<-d:second>い。<-d:second>う。<-D:{third_path}>え。"
                  f"<-d:missing>お。<-d:default>か")
        result = installation.run_script(cp932(script), ["-o"])
        self.assertEqual(result.exit_code, 0)
        switched = cp932("【話者変更】")
        self.assertEqual(result.output, lines(
            "【音声記号】あ。", switched + installation.engine_path("second"),
            "【音声記号】い。", "【音声記号】う。", switched + cp932(third_path),
            "【音声記号】え。", switched + installation.engine_path("default"), "【音声記号】お。",
            "【音声記号】か"))
        record = expected.read_record(installation.log)
        default, second = installation.engine_path("default"), installation.engine_path("second")
        self.assertEqual([(c.text, c.library) for c in record.calls], [
            (cp932("あ。"), default), (cp932("。い。"), second), (cp932("。う。"), second),
            (cp932("。え。"), cp932(third_path)), (cp932("。お。"), default),
            (cp932("。か"), default)])
        # Each image goes back to the library that made it.
        library_of = {c.image: c.library for c in record.calls}
        self.assertEqual([(library_of[i], lib) for i, lib in record.releases],
                         [(lib, lib) for _, lib in record.releases])
        self.assertEqual(record.release_faults(), [])

    def test_run_without_any_engine(self):
        installation = install()
        result = installation.run_script(cp932("あ、<-B:10>い。<-d:other>"), ["-o"])
        self.assertEqual(result.exit_code, 0)
        self.assertEqual(result.output, lines(
            NO_ENGINE, "【音声記号】あ、", "【音声記号】い。", NO_ENGINE, "【話者変更】AquesTalk.dll"))
        # Silent phrases keep their pauses.
        self.assertEqual(installation.read("script.wav"),
                         expected.wave_file([Pause(200), Pause(10), Pause(400)]))

    def test_a_folder_name_with_0x5C_in_a_double_byte_character(self):
        # ソ and 表 end in the byte 0x5C, the backslash: the program's folder
        # must still be cut at the real separator.
        installation = install()
        folder = installation.root / "ソフト"
        (folder / "dll" / "default").mkdir(parents=True)
        shutil.copy(ENGINE, folder / "dll" / "default" / "AquesTalk.dll")
        program = folder / "表.exe"
        shutil.copy(installation.program, program)
        (folder / "script.txt").write_bytes(cp932("あ。<-d:x>"))
        env = [("TESTENGINE_LOG", windows_path(installation.log))]
        result = WINE.run(program, ["script.txt"], folder, env)
        engine = cp932(windows_path(folder / "dll" / "default" / "AquesTalk.dll"))
        self.assertIn(b"\x83\x5c\x83\x74\x83\x67\\\x95\x5c.exe", cp932(windows_path(program)))
        self.assertEqual(result.exit_code, 0)
        self.assertEqual(result.output, lines("【音声記号】あ。", cp932("【話者変更】") + engine))
        record = expected.read_record(installation.log)
        self.assertEqual([(c.text, c.library) for c in record.calls], [(cp932("あ。"), engine)])


class PlayMode(unittest.TestCase):
    """With Wine's audio driver off, every phrase passes in silence."""

    def test_phrases_pass_through_the_missing_device(self):
        installation = install("default")
        result = installation.run_script(cp932("あ、い。う"), [])
        self.assertEqual(result.exit_code, 0)
        self.assertEqual(result.output, lines("【音声記号】あ、", "【音声記号】い。", "【音声記号】う"))
        record = expected.read_record(installation.log)
        self.assertEqual(record.call_list(), [(cp932("あ、"), 100), (cp932("、い。"), 100),
                                              (cp932("。う"), 100)])
        self.assertEqual(record.release_faults(), [])
        self.assertFalse((installation.root / "script.wav").exists())


def main():
    global PROGRAM, ENGINE, USAGE_FIXTURE, WINE
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", type=Path, required=True)
    parser.add_argument("--engine", type=Path, required=True)
    parser.add_argument("--usage", type=Path, required=True)
    args, rest = parser.parse_known_args()
    PROGRAM, ENGINE, USAGE_FIXTURE = args.program, args.engine, args.usage
    WINE = WinePrefix(PROGRAM)
    reason = WINE.why_not_runnable()
    if reason:
        print(f"SKIPPED: {reason}")
        WINE.stop()
        return 77
    try:
        program = unittest.main(argv=[sys.argv[0], *rest], exit=False, verbosity=2)
    finally:
        WINE.stop()
    return 0 if program.result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main())
