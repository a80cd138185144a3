#!/usr/bin/env python3
"""Lists which source folder includes which, and fails on a cycle or a layer break.

Usage: include_graph.py [SRC_DIR]   (default: src/ beside this script's folder)
A folder is a directory under src/ holding sources (logic/canvas, widgets/serial, cli, gui).
Layers, lowest first: logic, widgets, then the two programs cli and gui, then main.cpp.
A folder may include its own layer and those below it, never one above or beside it.
"""
import os
import re
import sys

LAYERS = {'logic': 0, 'widgets': 1, 'cli': 2, 'gui': 2, '.': 3}
ALLOWED = {'logic': {'logic'}, 'widgets': {'logic', 'widgets'}, 'cli': {'logic', 'cli'},
           'gui': {'logic', 'widgets', 'gui'}, '.': {'logic', 'widgets', 'cli', 'gui', '.'}}
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"', re.M)
# The build keeps Qt Widgets' folder off these layers' include path; this catches the
# <QtWidgets/...> spelling, which the shared Qt include root would let through.
QT_WIDGETS = re.compile(r'^\s*#\s*include\s*<QtWidgets\b', re.M)
NO_WIDGETS = {'logic', 'cli'}


def layer(folder):
    return folder.split('/')[0]


def folder_graph(src, problems):
    graph = {}
    for directory, _, files in os.walk(src):
        folder = os.path.relpath(directory, src)
        for name in files:
            if not name.endswith(('.cpp', '.h', '.h.in')):
                continue
            with open(os.path.join(directory, name), encoding='utf-8') as source:
                text = source.read()
            if layer(folder) in NO_WIDGETS and QT_WIDGETS.search(text):
                problems.append(f"widget header in {os.path.join(folder, name)}")
            edges = graph.setdefault(folder, set())
            for included in INCLUDE.findall(text):
                target = os.path.dirname(included) or folder
                if target != folder and os.path.isdir(os.path.join(src, target)):
                    edges.add(target)
    return graph


def cycles(graph):
    """Strongly connected components with more than one folder (Tarjan)."""
    index, low, stack, on_stack, found = {}, {}, [], set(), []

    def visit(node):
        index[node] = low[node] = len(index)
        stack.append(node)
        on_stack.add(node)
        for nxt in sorted(graph.get(node, ())):
            if nxt not in index:
                visit(nxt)
                low[node] = min(low[node], low[nxt])
            elif nxt in on_stack:
                low[node] = min(low[node], index[nxt])
        if low[node] == index[node]:
            component = []
            while True:
                top = stack.pop()
                on_stack.discard(top)
                component.append(top)
                if top == node:
                    break
            if len(component) > 1:
                found.append(sorted(component))

    for node in sorted(graph):
        if node not in index:
            visit(node)
    return found


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    src = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, '..', 'src')
    problems = []
    graph = folder_graph(src, problems)
    for folder in sorted(graph):
        print(f"{folder:18} -> {', '.join(sorted(graph[folder])) or '(nothing)'}")
    problems += [f"cycle: {' <-> '.join(c)}" for c in cycles(graph)]
    problems += [f"layer break: {f} includes {t}" for f in sorted(graph) for t in sorted(graph[f])
                 if layer(t) not in ALLOWED.get(layer(f), set())]
    for problem in problems:
        print(problem, file=sys.stderr)
    return 1 if problems else 0


if __name__ == '__main__':
    sys.exit(main())
