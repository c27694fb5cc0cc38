#!/usr/bin/env python3
"""Plants each way round the order of folders into a scratch copy of the tree and runs the copy's check."""
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))


def read(path):
    with open(path, encoding='utf-8') as file:
        return file.read()


def write(path, text):
    with open(path, 'w', encoding='utf-8') as file:
        file.write(text)


def skip_data(directory, names):
    # The check reads code and CMake files only; pictures, corpora and build folders would slow the copy.
    return [name for name in names if name.startswith('.') or name in ('corpus', 'data')
            or name.lower().endswith(('.png', '.jpg', '.gif'))
            or os.path.isfile(os.path.join(directory, name, 'CMakeCache.txt'))]


class CheckLayersTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.scratch = tempfile.mkdtemp(prefix='check_layers_')
        cls.tree = os.path.join(cls.scratch, 'tree')
        shutil.copytree(ROOT, cls.tree, ignore=skip_data)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.scratch)

    def run_check(self):
        # The copy's own check, so that it reads the copy's tree.
        check = os.path.join(self.tree, 'scripts', 'check_layers.py')
        result = subprocess.run([sys.executable, check], stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                                universal_newlines=True, timeout=60)
        return result.returncode, result.stdout

    def plant(self, relative, text):
        """Appends text to a file of the copy (making it if need be); undone when the case ends.
        Returns the number of the last line planted."""
        path = os.path.join(self.tree, relative)
        before = read(path) if os.path.exists(path) else None
        self.addCleanup(lambda: os.remove(path) if before is None else write(path, before))
        body = (before or '')
        if body and not body.endswith('\n'):
            body += '\n'
        body += text + '\n'
        write(path, body)
        return body.count('\n')

    def assertRefused(self, *fragments):
        status, output = self.run_check()
        self.assertEqual(status, 1, output)
        for fragment in fragments:
            self.assertIn(fragment, output)

    def test_the_tree_as_it_is_passes(self):
        status, output = self.run_check()
        self.assertEqual((status, output), (0, ''))

    def test_includes_up_the_order_in_either_form(self):
        for include in ('"scripting/editor/Editor.h"', '<scripting/editor/Editor.h>', '"../editor/Editor.h"'):
            with self.subTest(include=include):
                line = self.plant('scripting/engine/ScriptRun.cpp', '#include %s' % include)
                self.assertRefused('scripting/engine/ScriptRun.cpp:%d:' % line, 'points up',
                                   'scripting/engine (20) includes scripting/editor (22)')
                self.doCleanups()

    def test_every_source_extension_is_read(self):
        for extension in ('.inl', '.hpp', '.ipp', '.cc', '.hxx'):
            with self.subTest(extension=extension):
                relative = 'libs/cpp/MTools/Planted' + extension
                line = self.plant(relative, '#include <scripting/editor/Editor.h>')
                self.assertRefused('%s:%d:' % (relative, line), 'points up')
                self.doCleanups()

    def test_headers_outside_the_order_are_refused(self):
        for include, fragment in (('"tests/support/HangBound.h"', 'lies in no folder of the order'),
                                  ('<HangBound.h>', 'lies in no folder of the order'),
                                  ('"bench/BenchRow.h"', 'lies in no folder of the order'),
                                  ('"Nowhere/Missing.h"', 'is found in no include folder')):
            with self.subTest(include=include):
                line = self.plant('libs/cpp/MTools/Base32.cpp', '#include %s' % include)
                self.assertRefused('libs/cpp/MTools/Base32.cpp:%d:' % line, fragment)
                self.doCleanups()

    def test_source_outside_the_order_is_refused(self):
        self.plant('scripts/Stray.cpp', '#include <QString>')
        self.assertRefused('scripts/Stray.cpp: lies in no folder of the order')

    def test_links_up_the_order_or_out_of_the_tree(self):
        for link, fragment in (('scripting', 'MTools links scripting, which lies above it'),
                               ('QMWidgets', 'MTools links QMWidgets, which lies above it'),
                               ('TestSupport', 'MTools links TestSupport, which lies above it'),
                               ('Nowhere', 'MTools links Nowhere, which is no target of the tree'),
                               ('$<BUILD_INTERFACE:scripting>', 'MTools links scripting, which lies above it'),
                               ('${SCRIPTING}', 'MTools links ${SCRIPTING}, which this check cannot place')):
            with self.subTest(link=link):
                line = self.plant('libs/cpp/MTools/CMakeLists.txt',
                                  'target_link_libraries(MTools\n    PUBLIC %s)' % link)
                self.assertRefused('libs/cpp/MTools/CMakeLists.txt:%d:' % (line - 1), fragment)
                self.doCleanups()

    def test_folder_wide_links_and_sources_from_above(self):
        for command, fragment in (('link_libraries(app)', 'the folder links app, which lies above it'),
                                  ('target_sources(MTools PRIVATE ../../../app/main.cpp)',
                                   'QMWidgets links MTools, which lies above it')):
            with self.subTest(command=command):
                self.plant('libs/cpp/MTools/CMakeLists.txt', command)
                self.assertRefused(fragment)
                self.doCleanups()

    def test_angle_include_through_a_declared_include_folder(self):
        self.plant('libs/cpp/MTools/CMakeLists.txt', 'include_directories(${PROJECT_SOURCE_DIR}/scripting)')
        line = self.plant('libs/cpp/MTools/Base32.cpp', '#include <editor/Editor.h>')
        self.assertRefused('libs/cpp/MTools/Base32.cpp:%d:' % line, 'libs/cpp/MTools (1) includes scripting/editor')

    def test_a_link_in_a_comment_is_not_read(self):
        self.plant('libs/cpp/MTools/CMakeLists.txt', '# target_link_libraries(MTools PUBLIC scripting)')
        self.assertEqual(self.run_check(), (0, ''))

    def test_the_top_list_adds_folders_lowest_first(self):
        path = os.path.join(self.tree, 'CMakeLists.txt')
        before = read(path)
        self.addCleanup(lambda: write(path, before))
        moved = before.replace('add_subdirectory(libs/cpp/MGraphX)\n', '').replace(
            'add_subdirectory(app)\n', 'add_subdirectory(app)\nadd_subdirectory(libs/cpp/MGraphX)\n')
        self.assertNotEqual(moved, before)
        write(path, moved)
        self.assertRefused('adds libs/cpp/MGraphX after app, which lies above it')


if __name__ == '__main__':
    unittest.main()
