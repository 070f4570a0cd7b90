"""The screen saver's settings file, Vorlenta.ini, as the tests write it: section "Section",
keys in their code page 932 bytes (BGM区分, BGMﾘﾋﾟｰﾄ, BGMﾌｧｲﾙ), lines ended by CR LF.

    python3 tests/tools/settings_file.py PATH

writes a file that plays no music to PATH."""

import sys

KIND_KEY = b"BGM\x8b\xe6\x95\xaa"
REPEAT_KEY = b"BGM\xd8\xcb\xdf\xb0\xc4"
FILE_KEY = b"BGM\xcc\xa7\xb2\xd9"


def settings_bytes(kind: int, repeat: int = 0, music_file: bytes = b"") -> bytes:
    lines = [b"[Section]",
             KIND_KEY + b"=" + str(kind).encode(),
             REPEAT_KEY + b"=" + str(repeat).encode(),
             FILE_KEY + b"=" + music_file]
    return b"\r\n".join(lines) + b"\r\n"


if __name__ == "__main__":
    with open(sys.argv[1], "wb") as handle:
        handle.write(settings_bytes(0))
