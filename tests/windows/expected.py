"""What a run should leave: the test engine's images and record, console
lines as a Windows console program writes them, and the WAV file."""

import struct
from dataclasses import dataclass

HEADER_BYTES = 44


def cp932(text):
    return text.encode("cp932")


def lines(*texts):
    """Console lines: CP932 bytes, each ended by CR LF."""
    return b"".join((t if isinstance(t, bytes) else cp932(t)) + b"\r\n" for t in texts)


def engine_image(text, leading_zeros=0):
    """The image the test engine makes for a text: a canonical header, the
    leading zero samples, then one sample 0x100 + byte per text byte."""
    samples = b"\0\0" * leading_zeros + b"".join(struct.pack("<H", 0x100 + b) for b in text)
    header = (b"RIFF" + struct.pack("<I", 36 + len(samples)) + b"WAVEfmt " +
              struct.pack("<IHHIIHH", 16, 1, 1, 8000, 16000, 2, 16) +
              b"data" + struct.pack("<I", len(samples)))
    return header + samples


# Events of a file-mode run, in order.
@dataclass
class Speak:
    """An engine call that gives sound."""
    text: str
    speed: int = 100
    volume: int = 100


@dataclass
class Call:
    """An engine call that gives no sound."""
    text: str
    speed: int = 100


@dataclass
class Pause:
    milliseconds: int


def scaled_image(speak, leading_zeros):
    image = bytearray(engine_image(cp932(speak.text), leading_zeros))
    for at in range(HEADER_BYTES, len(image) - 1, 2):
        sample = struct.unpack_from("<h", image, at)[0]
        product = sample * speak.volume
        quotient = abs(product) // 100 * (1 if product >= 0 else -1)  # toward zero
        scaled = max(-32768, min(32767, quotient))
        struct.pack_into("<h", image, at, scaled)
    return bytes(image)


def from_first_sound(image):
    start = HEADER_BYTES
    while start + 1 < len(image) and image[start:start + 2] == b"\0\0":
        start += 2
    return image[start:]


def wave_file(events, leading_zeros=0):
    """The first image whole, later images from their first sound on,
    pauses as zero bytes, and both size fields patched."""
    header = b""
    data = b""
    for event in events:
        if isinstance(event, Pause):
            data += b"\0" * (16 * event.milliseconds)
        elif isinstance(event, Speak):
            image = scaled_image(event, leading_zeros)
            if not header:
                header, data = image[:HEADER_BYTES], data + image[HEADER_BYTES:]
            else:
                data += from_first_sound(image)
    if not header:
        header = engine_image(b"")[:HEADER_BYTES]
    whole = bytearray(header + data)
    struct.pack_into("<I", whole, 4, len(whole) - 8)
    struct.pack_into("<I", whole, 40, len(whole) - 44)
    return bytes(whole)


def expected_calls(events):
    return [(cp932(e.text), e.speed) for e in events if isinstance(e, (Speak, Call))]


@dataclass
class EngineCall:
    speed: int
    code: int
    image: str
    text: bytes
    library: bytes


@dataclass
class Record:
    calls: list
    releases: list  # (image id, library)

    def call_list(self):
        return [(c.text, c.speed) for c in self.calls]

    def release_faults(self):
        """Images released twice, never, or that were never made."""
        made = [c.image for c in self.calls if c.image != "-"]
        freed = [image for image, _ in self.releases]
        faults = [f"never released: {i}" for i in made if i not in freed]
        faults += [f"released {freed.count(i)} times: {i}" for i in set(freed) if freed.count(i) != 1]
        faults += [f"not made: {i}" for i in freed if i not in made]
        return faults


def read_record(path):
    """The test engine's log; lines are bytes (library paths are CP932)."""
    calls, releases = [], []
    if not path.exists():
        return Record(calls, releases)
    for raw in path.read_bytes().splitlines():
        head, _, library = raw.partition(b" lib=")
        fields = head.decode("ascii").split(" ")
        values = dict(f.split("=", 1) for f in fields[1:])
        if fields[0] == "synthe":
            calls.append(EngineCall(int(values["speed"]), int(values["code"]), values["image"],
                                    bytes.fromhex(values["text"]), library))
        elif fields[0] == "free":
            releases.append((values["image"], library))
    return Record(calls, releases)
