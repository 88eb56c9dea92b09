#!/usr/bin/env python3
"""Checks that the source folders depend on each other one way only.

    tools/check_layers.py [SOURCE_DIR] [--list]

Reads every .h and .cpp file below SOURCE_DIR (default: this checkout) and
builds two graphs over them:

- includes: each quoted #include that names a file of the tree. An include
  whose file lies in a folder higher in LAYERS than the including file's
  folder runs back up.
- calls: a .cpp file calls another when it names a function, a variable or a
  class that a header it includes (directly or through other headers)
  declares and the other .cpp file defines (a name the file defines itself
  is its own: the branches of one header for different systems do not call
  each other). Files that call each other, one way or round several, form a
  circle.

Prints the figures (with --list also every edge it found); exits 1 when an
include runs back up, a .cpp circle or an include circle exists, or a folder
with C++ files has no place in LAYERS. Only the standard library is used.
"""

import os
import re
import sys
from collections import defaultdict
from pathlib import Path

# The folders of the program from the bottom up: a file may include from its
# own folder and the ones before it, never from one after it. Folders on the
# same line are beside each other (neither may include the other). A folder
# inside another may have a place of its own; its files belong to it.
LAYERS = [
    ["common"],     # shared state, program paths, text and number rules, XML
    ["lang"],       # string table and language files
    ["ui"],         # the widget kit
    ["platform"],   # all system code: the floor under the features
    ["project"],    # the feature folders, each over the ones before it
    ["params"],
    ["image"],
    ["update", "check"],  # the update road; the Modbus check and its window
    ["options"],
    ["plant"],       # the plant's overview and commissioning report
    ["console"],     # what the two console programs share
    ["cli", "app", "sim", "standin"],  # the programs
]
# Folders over the whole program: they may include anything and nothing
# includes them.
ABOVE_ALL = {"tests", "fuzz", "bench", "tools"}

RANK = {folder: level for level, folders in enumerate(LAYERS) for folder in folders}

KEYWORDS = {"if", "for", "while", "switch", "return", "sizeof", "alignof", "decltype",
            "static_assert", "catch", "operator", "new", "delete"}
INCLUDE = re.compile(r'^[ \t]*#[ \t]*include\s*"([^"]+)"', re.M)
IDENTIFIER = re.compile(r"[A-Za-z_]\w*")
CALLED = re.compile(r"((?:\w+\s*::\s*)*~?\w+)\s*\(")
TYPE_BODY = re.compile(r"\b(?:class|struct|union)\s+(?:\w+\s+)*?(\w+)\s*(?:final\s*)?(?::[^{]*)?$")


def strip_code(text):
    """The text without comments, string and character literals and
    preprocessor lines; newlines are kept so positions stay on their line."""
    out = []
    i, n = 0, len(text)
    line_start = True
    while i < n:
        c = text[i]
        if line_start and c == "#":
            # A preprocessor line, with its continuations.
            while i < n and text[i] != "\n":
                if text[i] == "\\" and i + 1 < n and text[i + 1] == "\n":
                    out.append("\n")
                    i += 1
                i += 1
            continue
        if c == "\n":
            line_start = True
            out.append(c)
            i += 1
            continue
        if not c.isspace():
            line_start = False
        if text.startswith("//", i):
            while i < n and text[i] != "\n":
                i += 1
            continue
        if text.startswith("/*", i):
            end = text.find("*/", i + 2)
            end = n if end < 0 else end + 2
            out.append("\n" * text.count("\n", i, end))
            i = end
            continue
        raw = re.match(r'R"([^(\s]*)\(', text[i:i + 20])
        if raw and (i == 0 or not (text[i - 1].isalnum() or text[i - 1] == "_")):
            end = text.find(")" + raw.group(1) + '"', i)
            end = n if end < 0 else end + len(raw.group(1)) + 2
            out.append('""' + "\n" * text.count("\n", i, end))
            i = end
            continue
        if c in "\"'":
            # A digit separator (1'000) is no character literal.
            if c == "'" and i > 0 and text[i - 1].isalnum():
                i += 1
                continue
            j = i + 1
            while j < n and text[j] != c and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            out.append(c + c)
            i = j + 1
            continue
        out.append(c)
        i += 1
    return "".join(out)


def top_level_chunks(code):
    """The code outside function and class bodies, cut at ';', '{' and '}',
    as (chunk, ender, body) where body is the text between a '{' and its '}'.
    Namespace and extern "C" braces are looked through."""
    chunks = []
    start = 0
    i, n = 0, len(code)
    while i < n:
        c = code[i]
        if c == ";" or c == "}":
            chunks.append((code[start:i], c, ""))
            start = i + 1
        elif c == "{":
            head = code[start:i]
            if re.search(r"\bnamespace\b[\w\s:]*$", head) or re.search(r'\bextern\s*""\s*$', head):
                start = i + 1
            else:
                depth, j = 1, i + 1
                while j < n and depth:
                    depth += {"{": 1, "}": -1}.get(code[j], 0)
                    j += 1
                chunks.append((head, "{", code[i + 1:j - 1]))
                # What follows the body up to ';' (a variable after a class
                # body, or the end of an initialiser) belongs to nothing.
                start = j
                i = j
                continue
        i += 1
    return chunks


def declared_names(code):
    """Functions, variables and classes a header declares at namespace scope."""
    names, types = set(), set()
    for head, ender, _ in top_level_chunks(code):
        head = " ".join(head.split())
        if not head or head.startswith(("typedef ", "using ", "friend ")):
            continue
        if ender == "{":
            match = TYPE_BODY.search(head)
            if match:
                types.add(match.group(1))
            continue
        if ender != ";":
            continue
        equals, paren = head.find("="), head.find("(")
        if paren >= 0 and (equals < 0 or paren < equals):
            for match in CALLED.finditer(head):
                name = re.sub(r"\s+", "", match.group(1))
                if name.split("::")[-1] not in KEYWORDS:
                    names.add(name)
                    break
        elif head.startswith("extern ") or " extern " in head:
            words = IDENTIFIER.findall(head[:equals] if equals >= 0 else head)
            if words:
                names.add(words[-1])
    return names, types


def defined_names(code):
    """Functions and variables a .cpp file defines at namespace scope, and
    the classes whose members it defines."""
    names, types = set(), set()
    for head, ender, _ in top_level_chunks(code):
        head = " ".join(head.split())
        if not head or head.startswith(("typedef ", "using ", "template ")):
            continue
        equals, paren = head.find("="), head.find("(")
        if ender == "{" and paren >= 0 and (equals < 0 or paren < equals):
            for match in CALLED.finditer(head):
                name = re.sub(r"\s+", "", match.group(1))
                if name.split("::")[-1] in KEYWORDS:
                    continue
                parts = name.split("::")
                if len(parts) > 1:
                    types.add(parts[-2])
                else:
                    names.add(name)
                break
        elif ender in ";{" and (paren < 0 or 0 <= equals < paren) and not TYPE_BODY.search(head):
            words = IDENTIFIER.findall(head[:equals] if equals >= 0 else head)
            if len(words) >= 2 and "extern" not in words:
                names.add(words[-1])
    return names, types


class Tree:
    def __init__(self, root):
        self.root = root
        self.files = {}      # relative path -> stripped code
        self.includes = {}   # relative path -> [(line, included relative path)]
        self.problems = []
        for folder in sorted(os.listdir(root)):
            if folder.startswith((".", "build")) or not (root / folder).is_dir():
                continue
            paths = [p for p in (root / folder).rglob("*")
                     if p.suffix in (".h", ".cpp") and p.is_file()
                     and not any(part.startswith("build") for part in p.relative_to(root).parts)]
            if not paths:
                continue
            if folder not in RANK and folder not in ABOVE_ALL:
                self.problems.append(f"{folder}/ holds C++ files but has no place in the layers "
                                     f"of tools/check_layers.py")
            for path in paths:
                self.read(path)

    def read(self, path):
        text = path.read_text(encoding="utf-8", errors="replace")
        rel = path.relative_to(self.root).as_posix()
        self.files[rel] = strip_code(text)
        found = []
        for match in INCLUDE.finditer(text):
            target = self.resolve(path, match.group(1))
            if target:
                found.append((text.count("\n", 0, match.start()) + 1, target))
        self.includes[rel] = found

    def resolve(self, path, name):
        # Beside the including file first, then from the top of the tree, then
        # the tests' shared helpers (their include folder).
        for base in (path.parent, self.root, self.root / "tests" / "support"):
            candidate = base / name
            if candidate.is_file():
                return candidate.resolve().relative_to(self.root.resolve()).as_posix()
        return None


def folder_of(rel):
    """The folder with a place in LAYERS that holds rel (the innermost), else
    its top folder."""
    parts = rel.split("/")[:-1]
    for depth in range(len(parts), 0, -1):
        folder = "/".join(parts[:depth])
        if folder in RANK:
            return folder
    return parts[0] if parts else rel


def includes_back_up(tree):
    found = []
    for rel, includes in sorted(tree.includes.items()):
        mine = RANK.get(folder_of(rel))
        if mine is None:
            continue
        for line, target in includes:
            theirs = RANK.get(folder_of(target))
            if theirs is None and folder_of(target) in ABOVE_ALL:
                found.append((rel, line, target))
            elif theirs is not None and (theirs > mine or (theirs == mine and folder_of(target) != folder_of(rel))):
                found.append((rel, line, target))
    return found


def reachable_headers(tree, rel, memo):
    if rel in memo:
        return memo[rel]
    memo[rel] = set()
    seen = set()
    for _, target in tree.includes.get(rel, []):
        if target.endswith(".h"):
            seen.add(target)
            seen |= reachable_headers(tree, target, memo)
    memo[rel] = seen
    return seen


def call_graph(tree):
    declared = {rel: declared_names(code) for rel, code in tree.files.items() if rel.endswith(".h")}
    definers, type_definers = defaultdict(set), defaultdict(set)
    for rel, code in tree.files.items():
        if rel.endswith(".cpp"):
            names, types = defined_names(code)
            for name in names:
                definers[name].add(rel)
            for name in types:
                type_definers[name].add(rel)
    memo = {}
    edges = defaultdict(set)
    for rel, code in tree.files.items():
        if not rel.endswith(".cpp"):
            continue
        own_names = defined_names(code)[0]
        used = set(IDENTIFIER.findall(code)) - own_names
        for header in reachable_headers(tree, rel, memo):
            names, types = declared[header]
            for name in names & used:
                edges[rel] |= definers.get(name, set()) - {rel}
            for name in types & used:
                edges[rel] |= type_definers.get(name, set()) - {rel}
    return edges


def circles(nodes, edges):
    """The strongly connected parts of more than one node (Tarjan)."""
    index, low, on_stack, stack, found = {}, {}, set(), [], []
    counter = [0]

    def visit(node):
        work = [(node, iter(sorted(edges.get(node, ()))))]
        index[node] = low[node] = counter[0]
        counter[0] += 1
        stack.append(node)
        on_stack.add(node)
        while work:
            current, successors = work[-1]
            advanced = False
            for succ in successors:
                if succ not in index:
                    index[succ] = low[succ] = counter[0]
                    counter[0] += 1
                    stack.append(succ)
                    on_stack.add(succ)
                    work.append((succ, iter(sorted(edges.get(succ, ())))))
                    advanced = True
                    break
                if succ in on_stack:
                    low[current] = min(low[current], index[succ])
            if advanced:
                continue
            work.pop()
            if work:
                low[work[-1][0]] = min(low[work[-1][0]], low[current])
            if low[current] == index[current]:
                part = []
                while True:
                    member = stack.pop()
                    on_stack.discard(member)
                    part.append(member)
                    if member == current:
                        break
                if len(part) > 1:
                    found.append(sorted(part))

    for node in sorted(nodes):
        if node not in index:
            visit(node)
    return sorted(found)


def main(argv):
    args = [a for a in argv[1:] if not a.startswith("--")]
    listing = "--list" in argv
    if len(args) > 1 or any(a not in ("--list",) for a in argv[1:] if a.startswith("--")):
        print(__doc__.strip(), file=sys.stderr)
        return 2
    root = Path(args[0]) if args else Path(__file__).resolve().parent.parent
    tree = Tree(root)

    include_count = sum(len(v) for v in tree.includes.values())
    back_up = includes_back_up(tree)
    include_edges = {rel: {t for _, t in inc} for rel, inc in tree.includes.items()}
    include_circles = circles(tree.includes.keys(), include_edges)
    calls = call_graph(tree)
    call_count = sum(len(v) for v in calls.values())
    call_circles = circles([r for r in tree.files if r.endswith(".cpp")], calls)

    print(f"layers (bottom up): {' < '.join('/'.join(f) for f in LAYERS)}; "
          f"{', '.join(sorted(ABOVE_ALL))} over all")
    print(f"files: {len(tree.files)}, includes of the tree's own files: {include_count}, "
          f"calls between .cpp files: {call_count}")
    if listing:
        for rel in sorted(calls):
            for target in sorted(calls[rel]):
                print(f"  call {rel} -> {target}")
    print(f"includes back up: {len(back_up)}")
    for rel, line, target in back_up:
        print(f"  {rel}:{line}: includes {target}")
    print(f"include circles: {len(include_circles)}")
    for part in include_circles:
        print(f"  {' , '.join(part)}")
    print(f"call circles: {len(call_circles)}")
    for part in call_circles:
        print("  " + ", ".join(part))
        for member in part:
            for target in sorted(calls[member] & set(part)):
                print(f"    {member} -> {target}")
    for problem in tree.problems:
        print(problem)
    failed = back_up or include_circles or call_circles or tree.problems
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
