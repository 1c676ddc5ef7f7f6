#!/usr/bin/python3
"""Checks the platform's DXF reader against ezdxf on a folder of drawings.

Every drawing that ezdxf opens must open in the platform with the same entities per block
(layouts included) and type, and the platform's saved copy must read in ezdxf to the same
counts again, with every handle it names defined once (dxf_handle_check.h). A drawing that ezdxf refuses but recovers (ezdxf.recover) must open with warnings
and the recovered counts; one that ezdxf cannot recover either must be refused with a message.

usage: corpus_check.py --counts PROGRAM --work DIR [--jobs N] [--sample N] FOLDER
PROGRAM is dxf_entity_counts; copies are written under DIR. Exit status 0 when all agree.
"""
import argparse
import collections
import concurrent.futures
import logging
import os
import random
import subprocess
import sys
import time

MAX_SHOWN = int(os.environ.get("CORPUS_SHOWN", "20"))


def ezdxf_counts(path, names_from=None, recover=False):
    """(counts, refusal, recovered): counts maps an upper-case block name to {type: count}.

    Blocks ezdxf adds to old drawings (dimension arrows) are left out: only layouts,
    anonymous blocks and blocks named in the file `names_from` (default: path) count.
    With recover, a drawing ezdxf.readfile refuses is read by ezdxf.recover."""
    import ezdxf
    from ezdxf import recover as ezdxf_recover
    refusal = None
    try:
        doc = ezdxf.readfile(path)
    except Exception as failure:  # every kind of refusal counts as one
        refusal = f"{type(failure).__name__}: {failure}"
        if not recover:
            return None, refusal, False
        try:
            logging.getLogger("ezdxf").setLevel(logging.ERROR)  # recover logs what it mends
            doc, _ = ezdxf_recover.readfile(path)
        except Exception:
            return None, refusal, False
    with open(names_from or path, "rb") as f:
        data = f.read()
    counts = {}
    for block in doc.blocks:
        found = collections.Counter(entity.dxftype() for entity in block)
        if found and (block.name.startswith("*") or block.name.encode("utf-8", "ignore") in data
                      or not block.name.isascii()):
            counts[block.name.upper()] = dict(found)
    return counts, refusal, refusal is not None


def original_counts(path):
    return ezdxf_counts(path, recover=True)


def copy_counts(pair):
    copy, original = pair
    return ezdxf_counts(copy, names_from=original)


def platform_counts(program, pairs):
    """{drawing: (counts, error, warnings, handle faults of the copy)} for (drawing, copy)
    pairs, read by the program."""
    text = "".join(f"{drawing}\t{copy}\n" for drawing, copy in pairs)
    run = subprocess.run([program], input=text, capture_output=True, text=True,
                         encoding="utf-8", errors="replace")
    results = {}
    current = None
    for line in run.stdout.splitlines():
        word, _, rest = line.partition(" ")
        if word == "FILE":
            current = rest
            results[current] = ({}, None, 0, [])
        elif current is None:
            continue
        elif word == "ERROR":
            results[current] = (None, rest, 0, [])
        elif word == "SAVE-ERROR":
            counts, _, warnings, faults = results[current]
            results[current] = (counts, "saving failed: " + rest, warnings, faults)
        elif word == "WARNINGS":
            counts, error, _, faults = results[current]
            results[current] = (counts, error, int(rest), faults)
        elif word == "HANDLES":
            results[current][3].append(rest)
        elif word == "COUNT":
            block, entity_type, count = rest.split("\t")
            results[current][0].setdefault(block.upper(), {})[entity_type] = int(count)
    for drawing, _ in pairs:
        if drawing not in results:
            detail = run.stderr.strip().splitlines()[-1:] or [f"exit status {run.returncode}"]
            results[drawing] = (None, "the counts program stopped: " + detail[0], 0, [])
    return results


def differences(expected, found):
    """Lines naming each block and type whose counts differ."""
    lines = []
    for block in sorted(set(expected) | set(found)):
        a, b = expected.get(block, {}), found.get(block, {})
        for entity_type in sorted(set(a) | set(b)):
            if a.get(entity_type, 0) != b.get(entity_type, 0):
                lines.append(f"{block} {entity_type}: ezdxf {a.get(entity_type, 0)}, "
                             f"platform {b.get(entity_type, 0)}")
    return lines


def chunks(items, count):
    size = max(1, (len(items) + count - 1) // count)
    return [items[i:i + size] for i in range(0, len(items), size)]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--counts", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--sample", type=int, default=0, help="check only N drawings, drawn at random")
    parser.add_argument("folder")
    args = parser.parse_args()

    drawings = sorted(os.path.join(root, name) for root, _, names in os.walk(args.folder)
                      for name in names if name.lower().endswith(".dxf"))
    if not drawings:
        print(f"corpus: no drawings in {args.folder}")
        return 1
    if args.sample and args.sample < len(drawings):
        drawings = sorted(random.Random(1).sample(drawings, args.sample))
    copies_dir = os.path.join(args.work, "copies")
    os.makedirs(copies_dir, exist_ok=True)
    copy_of = {d: os.path.join(copies_dir, f"{i}.dxf") for i, d in enumerate(drawings)}
    started = time.monotonic()

    with concurrent.futures.ProcessPoolExecutor(args.jobs) as pool:
        oracle = dict(zip(drawings, pool.map(original_counts, drawings, chunksize=8)))
        ours = {}
        pairs = [(d, copy_of[d]) for d in drawings]
        for part in pool.map(platform_counts, [args.counts] * args.jobs, chunks(pairs, args.jobs)):
            ours.update(part)
        saved = [d for d in drawings if oracle[d][0] is not None and ours[d][1] is None]
        reread = dict(zip(saved, pool.map(copy_counts, [(copy_of[d], d) for d in saved], chunksize=8)))

    problems = []
    opened = [d for d in drawings if oracle[d][0] is not None]
    recovered = [d for d in opened if oracle[d][2]]
    refused = [d for d in drawings if oracle[d][0] is None]
    we_opened = we_refused = count_mismatches = copy_mismatches = 0
    handle_faults = 0
    for d in drawings:
        faults = ours[d][3]
        if faults:
            handle_faults += 1
            problems.append(f"{d}: the platform's copy has {len(faults)} dangling or doubled handles: "
                            + "; ".join(faults[:3]))
    for d in opened:
        counts, error, warnings, _ = ours[d]
        how = "recovers" if oracle[d][2] else "opens"
        if error is not None:
            problems.append(f"{d}: ezdxf {how} it, the platform does not: {error}")
            continue
        if oracle[d][2] and warnings == 0:
            problems.append(f"{d}: ezdxf refuses it ({oracle[d][1]}), the platform opens it without a warning")
        we_opened += 1
        diff = differences(oracle[d][0], counts)
        if diff:
            count_mismatches += 1
            problems.append(f"{d}: counts differ: " + "; ".join(diff[:5]))
        copy, copy_error, _ = reread[d]
        if copy_error is not None:
            copy_mismatches += 1
            problems.append(f"{d}: ezdxf refuses the platform's copy: {copy_error}")
        elif differences(oracle[d][0], copy):
            copy_mismatches += 1
            problems.append(f"{d}: the platform's copy reads differently in ezdxf: " +
                            "; ".join(differences(oracle[d][0], copy)[:5]))
    for d in refused:
        counts, error, _, _ = ours[d]
        if error is None:
            problems.append(f"{d}: ezdxf refuses it ({oracle[d][1]}), the platform opens it")
        elif not error.strip():
            problems.append(f"{d}: refused without a message")
        else:
            we_refused += 1
    warned = sum(1 for d in opened if ours[d][1] is None and ours[d][2] > 0)

    for line in problems[:MAX_SHOWN]:
        print(line)
    if len(problems) > MAX_SHOWN:
        print(f"... and {len(problems) - MAX_SHOWN} more")
    print(f"corpus: {len(drawings)} drawings; ezdxf opens {len(opened)} ({len(recovered)} only by "
          f"recovering), the platform opens {we_opened} of them ({warned} with warnings); counts "
          f"differ in {count_mismatches}, saved copies differ in {copy_mismatches}, have handle "
          f"faults in {handle_faults}; ezdxf refuses "
          f"{len(refused)}, the platform refuses {we_refused} of them; "
          f"{time.monotonic() - started:.1f} s")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
