#!/usr/bin/env python3
"""Which bytes of a source the pause filter passes on, for a sample size and pause/resume actions.

The filter takes the stream pack by pack: a group of pictures runs from the pack that holds its
GOP header to the pack that holds the next one. A start code counts in the sample that holds its
last byte, and an action at sample N happens before sample N arrives.
  - Before the first GOP header only the packs holding a system header go on.
  - At each GOP header (not in the pack that opened the group before) the group gathered so far
    ends: passed on while delivery is on, dropped while it is off.
  - A pause drops the group in progress; the filter waits for the next GOP header.
The result is the list of byte ranges of the source whose groups of pictures reach the output, in
order. (Of the packs after a cut only what finishes the last picture and audio frames passed on
goes on as well; that adds no picture.)
"""


def start_codes(data):
    i = data.find(b"\x00\x00\x01")
    while 0 <= i and i + 3 < len(data):
        yield i, data[i + 3]
        i = data.find(b"\x00\x00\x01", i + 3)


def kept_ranges(data, sample, actions):
    """actions: {sample index: letter} with p (pause), r (resume), d (delivery off), e (on)."""
    ranges = []
    state = {"deliver": True, "synced": False, "started": False, "pack": None, "previous": None,
             "system": False, "previous_system": False, "opens": False, "group": None, "sequence": 0}
    s = state

    def keep(a, b):
        if b <= a:
            return
        if ranges and ranges[-1][1] == a:
            ranges[-1] = (ranges[-1][0], b)
        else:
            ranges.append((a, b))

    def close_group(end):
        if s["group"] is not None and end > s["group"] and s["deliver"]:
            keep(s["group"], end)

    def release(at):
        # The pack held back outside a group: before the first group it goes on when it holds
        # a system header.
        if s["previous"] is not None and not s["started"] and s["previous_system"]:
            keep(s["previous"], at)

    def act(letter):
        if letter == "p":
            s.update(deliver=False, synced=False, group=None)
        elif letter in "re":
            s["deliver"] = True
        elif letter == "d":
            s["deliver"] = False

    done = -1
    for c, code in start_codes(data):
        arrives = (c + 3) // sample
        while done < arrives:
            done += 1
            if done in actions:
                act(actions[done])
        if code == 0xBA:
            if s["pack"] is not None and not s["synced"]:
                release(s["pack"])
                s.update(previous=s["pack"], previous_system=s["system"])
            else:
                s["previous"] = s["pack"]
            s.update(pack=c, system=False, opens=False, sequence=2 if s["sequence"] == 1 else 0)
        elif s["pack"] is None:
            continue
        elif code == 0xBB:
            s["system"] = True
        elif code == 0xB3:
            s["sequence"] = 1
        elif code == 0x00:
            s["sequence"] = 0
        elif code == 0xB8 and not s["opens"]:
            # A group begins at the pack holding the sequence header that leads its GOP.
            start = s["previous"] if s["sequence"] == 2 else s["pack"]
            if s["synced"]:
                close_group(start)
            elif start == s["pack"]:
                release(s["pack"])
            s.update(synced=True, started=True, opens=True, group=start)
    last = (len(data) - 1) // sample
    while done < last:
        done += 1
        if done in actions:
            act(actions[done])
    if s["synced"]:
        close_group(len(data))
    else:
        if s["pack"] is not None:
            release(s["pack"])
            s.update(previous=s["pack"], previous_system=s["system"])
        release(len(data))
    return ranges
