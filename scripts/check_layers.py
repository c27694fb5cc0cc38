#!/usr/bin/env python3
"""Fails when code or a link points up the order of folders that CONTRIBUTING.md states.

Every source file of the code is read, whatever its extension, and each of its includes, quoted or in angle
brackets, is resolved to the file it names through the include folders the build declares. A file and a
header belong to the deepest folder of the order that holds them; tests, benchmarks and fuzz harnesses stand
above everything. An include of a header that lies higher than the including file, or in no folder of the
order, is reported with the file, the line and both places.

Each target_link_libraries and link_libraries in the tree is read the same way: a target's place is that of its
sources (target_sources included), and a target may link only what lies at or below its lowest place. A linked
name that is neither a target of the tree nor a library from outside it, or that this check cannot read, is
refused. The top CMakeLists.txt must add the folders lowest first.
"""
import os
import re
import sys

# Tests, benchmarks and fuzz harnesses: above every folder of the order, and nothing of the order may use them.
ABOVE = ['tests', 'bench', 'fuzz']
SOURCE = ('.h', '.hh', '.hpp', '.hxx', '.h++', '.c', '.cc', '.cpp', '.cxx', '.c++', '.inl', '.ipp', '.tpp',
          '.tcc', '.txx', '.ixx', '.cppm', '.m', '.mm')
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
# Made by moc, uic and rcc in the build folder, so never found in the tree.
GENERATED = re.compile(r'(^|/)(moc_[^/]*\.cpp|[^/]*\.moc|ui_[^/]*\.h|qrc_[^/]*\.cpp)$')
COMMAND = re.compile(r'\b(add_library|add_executable|target_sources|target_link_libraries|link_libraries|'
                     r'target_include_directories|include_directories|add_subdirectory)\s*\(', re.I)
LINK_KEYWORDS = {'PUBLIC', 'PRIVATE', 'INTERFACE', 'LINK_PUBLIC', 'LINK_PRIVATE', 'LINK_INTERFACE_LIBRARIES',
                 'debug', 'optimized', 'general'}
TARGET_KEYWORDS = {'STATIC', 'SHARED', 'MODULE', 'OBJECT', 'INTERFACE', 'UNKNOWN', 'IMPORTED', 'GLOBAL',
                   'EXCLUDE_FROM_ALL', 'WIN32', 'MACOSX_BUNDLE'}
# Libraries of the operating system, linked by name.
SYSTEM_LIBRARIES = {'shell32', 'user32'}


class Tree:
    def __init__(self, root):
        self.root = os.path.abspath(root)
        self.order = self.read_order()
        self.top = len(self.order)
        self.place = {folder: index for index, folder in enumerate(self.order)}
        self.sources, self.cmake_files = self.walk()
        self.problems = []

    def read_order(self):
        text = open(os.path.join(self.root, 'CONTRIBUTING.md'), encoding='utf-8').read()
        block = re.search(r'<!-- layers -->\s*```\s*\n(.*?)```', text, re.S)
        if not block:
            sys.exit('check_layers: CONTRIBUTING.md has no block of layers')
        return [line.strip().strip('/') for line in block.group(1).splitlines() if line.strip()]

    def walk(self):
        sources, cmake_files = [], []
        for directory, folders, files in os.walk(self.root):
            # Build folders and the repository's own data hold nothing of the code.
            folders[:] = sorted(f for f in folders if not f.startswith('.')
                                and not os.path.isfile(os.path.join(directory, f, 'CMakeCache.txt')))
            for name in sorted(files):
                path = os.path.join(directory, name)
                if name == 'CMakeLists.txt' or name.endswith('.cmake'):
                    cmake_files.append(path)
                elif name.lower().endswith(SOURCE):
                    sources.append(path)
        return sources, cmake_files

    def relative(self, path):
        return os.path.relpath(path, self.root).replace(os.sep, '/')

    def place_of(self, path):
        """The index of the deepest folder of the order holding path; self.top above; None outside."""
        relative = self.relative(path)
        best = None
        for folder in self.order:
            if relative == folder or relative.startswith(folder + '/'):
                if best is None or len(folder) > len(best):
                    best = folder
        if best is not None:
            return self.place[best]
        if relative.split('/')[0] in ABOVE:
            return self.top
        return None

    def name_of(self, low, high=None):
        high = low if high is None else high
        def one(index):
            return 'tests, benchmarks and fuzz' if index == self.top else self.order[index]
        if low == high:
            return '%s (%d)' % (one(low), low + 1)
        return '%s..%s (%d-%d)' % (one(low), one(high), low + 1, high + 1)

    def refuse(self, where, text):
        self.problems.append('%s: %s' % (where, text))

    # CMake

    def commands(self, path):
        """Yields (command, line, arguments) for the commands this check reads."""
        text = strip_cmake_comments(open(path, encoding='utf-8', errors='replace').read())
        for match in COMMAND.finditer(text):
            depth, end = 1, match.end()
            while end < len(text) and depth:
                depth += {'(': 1, ')': -1}.get(text[end], 0)
                end += 1
            arguments = re.findall(r'"[^"]*"|[^\s"]+', text[match.end():end - 1])
            yield match.group(1).lower(), text.count('\n', 0, match.start()) + 1, \
                [a.strip('"') for a in arguments]

    def expand(self, value, directory):
        for name in ('PROJECT_SOURCE_DIR', 'CMAKE_SOURCE_DIR', 'Tarsel_SOURCE_DIR'):
            value = value.replace('${%s}' % name, self.root)
        for name in ('CMAKE_CURRENT_SOURCE_DIR', 'CMAKE_CURRENT_LIST_DIR'):
            value = value.replace('${%s}' % name, directory)
        if '$' in value:
            return None
        return os.path.normpath(os.path.join(directory, value))

    def read_cmake(self):
        self.targets = {}
        self.include_roots = [self.root]
        definitions, additions, links = [], [], []
        for path in self.cmake_files:
            directory = os.path.dirname(path)
            above = self.place_of(path) == self.top
            for command, line, arguments in self.commands(path):
                where = '%s:%d' % (self.relative(path), line)
                if not arguments:
                    continue
                if command in ('add_library', 'add_executable'):
                    definitions.append((arguments, directory, where, above))
                elif command == 'target_sources':
                    additions.append((arguments, directory, where, above))
                elif command in ('target_link_libraries', 'link_libraries'):
                    user = arguments[0] if command == 'target_link_libraries' else None
                    items = arguments[1:] if command == 'target_link_libraries' else arguments
                    links.append((user, items, directory, where, above))
                elif command in ('target_include_directories', 'include_directories'):
                    for value in arguments:
                        folder = self.expand(value, directory)
                        if folder and os.path.isdir(folder) and folder not in self.include_roots:
                            self.include_roots.append(folder)
                elif command == 'add_subdirectory' and directory == self.root:
                    self.subdirectories.append((arguments[0], where))
        for arguments, directory, where, above in definitions:
            self.define(arguments, directory, where, above)
        for arguments, directory, where, above in additions:
            self.add_sources(arguments, directory, where, above)
        for link in links:
            self.check_link(*link)

    def places_of_sources(self, name, sources, directory, where):
        places = []
        for source in sources:
            if source in TARGET_KEYWORDS or source in LINK_KEYWORDS or '$' in source:
                continue
            path = os.path.normpath(os.path.join(directory, source))
            place = self.place_of(path)
            if place is None:
                self.refuse(where, 'the target %s builds %s, which lies in no folder of the order'
                            % (name, self.relative(path)))
            else:
                places.append(place)
        return places

    def define(self, arguments, directory, where, above):
        name = arguments[0]
        if '$' in name:
            # The helpers that make one program per test or harness; their programs stand above everything.
            if not above:
                self.refuse(where, 'the target "%s" has a name this check cannot read' % name)
            return
        if 'ALIAS' in arguments:
            self.targets[name] = ('alias', arguments[arguments.index('ALIAS') + 1])
            return
        places = self.places_of_sources(name, arguments[1:], directory, where)
        if not places:
            place = self.place_of_folder(directory)
            if place is None:
                self.refuse(where, 'the target %s lies in no folder of the order' % name)
                return
            places = list(place)
        self.targets[name] = (min(places), max(places))

    def add_sources(self, arguments, directory, where, above):
        name = arguments[0]
        if above:
            return  # tests, benchmarks and fuzz harnesses may build anything into their programs
        span = self.span(name)
        if span is None:
            self.refuse(where, 'adds sources to %s, a target this check cannot place' % name)
            return
        places = self.places_of_sources(name, arguments[1:], directory, where) + list(span)
        self.targets[name] = (min(places), max(places))

    def place_of_folder(self, directory):
        """The lowest and highest place of a folder: its own, or those of the folders of the order within it."""
        place = self.place_of(directory)
        if place is not None:
            return place, place
        prefix = self.relative(directory) + '/'
        inner = [self.place[folder] for folder in self.order if folder.startswith(prefix)]
        return (min(inner), max(inner)) if inner else None

    def span(self, name, seen=()):
        target = self.targets.get(name)
        if target and target[0] == 'alias':
            return None if name in seen else self.span(target[1], seen + (name,))
        return target

    def check_link(self, name, items, directory, where, above):
        if above:
            user = (self.top, self.top)
        elif name is None:
            user = self.place_of_folder(directory)  # link_libraries: every target of the folder
        elif '$' in name:
            user = None
        else:
            user = self.span(name)
        if user is None:
            self.refuse(where, 'links for %s, a target this check cannot place' % (name or 'the folder'))
            return
        name = name or 'the folder'
        for item in items:
            if item in LINK_KEYWORDS or item.startswith('-'):
                continue  # a flag
            if item.startswith('$<'):
                # A generator expression: the targets of the tree that it names.
                used_names = [word for word in re.findall(r'[\w.+-]+(?:::[\w.+-]+)*', item) if self.span(word)]
            elif '$' in item:
                if not above:
                    self.refuse(where, '%s links %s, which this check cannot place' % (name, item))
                continue
            else:
                used_names = [item]
            for used_name in used_names:
                used = self.span(used_name)
                if used is None:
                    if '::' not in used_name and used_name not in SYSTEM_LIBRARIES:
                        self.refuse(where, '%s links %s, which is no target of the tree nor a known library'
                                    % (name, used_name))
                elif used[1] > user[0]:
                    self.refuse(where, '%s links %s, which lies above it: %s links %s' % (
                        name, used_name, self.name_of(*user), self.name_of(*used)))

    def check_subdirectory_order(self):
        last = None
        for folder, where in self.subdirectories:
            # A folder that holds several of the order (the framework, scripting) sits at its lowest.
            span = self.place_of_folder(os.path.normpath(os.path.join(self.root, folder)))
            if span is None:
                continue
            place = span[0]
            if last is not None and place < last[0]:
                self.refuse(where, 'adds %s after %s, which lies above it' % (folder, last[1]))
            if last is None or place >= last[0]:
                last = (place, folder)

    # Includes

    def resolve(self, include, including, quoted):
        bases = ([os.path.dirname(including)] if quoted else []) + self.include_roots
        for base in bases:
            candidate = os.path.normpath(os.path.join(base, include))
            if os.path.isfile(candidate):
                return candidate
        return None

    def check_includes(self):
        for path in self.sources:
            source = self.place_of(path)
            if source == self.top:
                continue
            relative = self.relative(path)
            if source is None:
                self.refuse(relative, 'lies in no folder of the order')
                continue
            for number, line in enumerate(open(path, encoding='utf-8', errors='replace'), 1):
                match = INCLUDE.match(line)
                if not match:
                    continue
                quoted, include = match.group(1) == '"', match.group(2)
                where = '%s:%d' % (relative, number)
                header = self.resolve(include, path, quoted)
                if header is None:
                    # An angle-bracket header from outside the tree (the system, Qt) is no concern here.
                    if quoted and not GENERATED.search(include):
                        self.refuse(where, '"%s" is found in no include folder of the tree' % include)
                    continue
                target = self.place_of(header)
                if target is None or target == self.top:
                    self.refuse(where, '"%s" (%s) lies in no folder of the order' % (
                        include, self.relative(header)))
                elif target > source:
                    self.refuse(where, '"%s" points up: %s includes %s' % (
                        include, self.name_of(source), self.name_of(target)))

    def check(self):
        self.subdirectories = []
        self.read_cmake()
        self.check_subdirectory_order()
        self.check_includes()
        return self.problems


def strip_cmake_comments(text):
    out, quoted, index = [], False, 0
    while index < len(text):
        char = text[index]
        if char == '"' and (index == 0 or text[index - 1] != '\\'):
            quoted = not quoted
        elif char == '#' and not quoted:
            end = text.find('\n', index)
            index = len(text) if end < 0 else end
            continue
        out.append(char)
        index += 1
    return ''.join(out)


def main():
    problems = Tree(os.path.dirname(os.path.dirname(os.path.abspath(__file__)))).check()
    if problems:
        print('\n'.join(problems))
        print('%d place(s) against the order of folders in CONTRIBUTING.md (lowest is 1)' % len(problems))
        return 1
    return 0


if __name__ == '__main__':
    sys.exit(main())
