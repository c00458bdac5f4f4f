"""The game as a screen reader meets it: a private session bus with the accessibility
bus on it, the screen reader's switch set as Orca sets it, and a round played and
followed through AT-SPI alone (pyatspi), with no mouse, key or screen grab."""
import os
import subprocess
import tempfile
import time
import unittest

runtime = tempfile.TemporaryDirectory()
os.environ['XDG_RUNTIME_DIR'] = runtime.name
session = subprocess.Popen(['dbus-daemon', '--session', '--nofork', '--print-address=1'],
                           stdout=subprocess.PIPE, text=True)
os.environ['DBUS_SESSION_BUS_ADDRESS'] = session.stdout.readline().strip()

from gi.repository import Gio, GLib  # noqa: E402 (the bus address must be set first)
import pyatspi  # noqa: E402


def switch_screen_reader_on():
    # Asking for the accessibility bus starts it; then the switches Orca sets.
    bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    bus.call_sync('org.a11y.Bus', '/org/a11y/bus', 'org.a11y.Bus', 'GetAddress', None, None, 0, 10000, None)
    for switch in ('IsEnabled', 'ScreenReaderEnabled'):
        bus.call_sync('org.a11y.Bus', '/org/a11y/bus', 'org.freedesktop.DBus.Properties', 'Set',
                      GLib.Variant('(ssv)', ('org.a11y.Status', switch, GLib.Variant('b', True))),
                      None, 0, 10000, None)


class Listener:
    """What a screen reader hears: each event as (kind, name of its object, detail)."""

    EVENTS = ('object:state-changed:showing', 'object:property-change:accessible-description',
              'object:property-change:accessible-value', 'object:property-change:accessible-name')

    def __init__(self):
        self.heard = []
        pyatspi.Registry.registerEventListener(self.hear, *self.EVENTS)

    def hear(self, event):
        source = event.source
        source.clearCache()
        kind = event.type.split(':')[-1]
        detail = {'showing': event.detail1, 'accessible-description': source.description,
                  'accessible-name': source.name}.get(kind)
        if kind == 'accessible-value':
            detail = source.queryValue().currentValue
        self.heard.append((kind, source.name, detail))

    def wait_for(self, found, seconds=10):
        # Events come on the main loop, so it turns while waiting.
        deadline = time.monotonic() + seconds
        context = GLib.MainContext.default()
        while time.monotonic() < deadline:
            result = found()
            if result:
                return result
            context.iteration(False) or time.sleep(0.01)
        return found()


class ScreenReaderEndToEnd(unittest.TestCase):
    def setUp(self):
        switch_screen_reader_on()
        self.listener = Listener()
        config = tempfile.TemporaryDirectory()
        self.addCleanup(config.cleanup)
        # Fast: each light of a playback stays lit longest, however slow the bus is.
        os.makedirs(os.path.join(config.name, 'Tessaly'))
        with open(os.path.join(config.name, 'Tessaly', 'Tessaly.ini'), 'w') as ini:
            ini.write('[Settings]\nSpeed=2\n')
        env = dict(os.environ, XDG_CONFIG_HOME=config.name, QT_QPA_PLATFORM='xcb', LC_ALL='C.UTF-8',
                   LANGUAGE='')
        self.game = subprocess.Popen([os.environ['TESSALY_BINARY']], env=env)
        self.addCleanup(self.game.wait, 10)
        self.addCleanup(self.game.terminate)
        self.board = self.listener.wait_for(self.find_board)
        self.assertIsNotNone(self.board, 'the board never appeared on the accessibility bus')

    def find_board(self):
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.get_process_id() == self.game.pid:
                return next((w for w in app if w.name == 'Tessaly'), None)

    def named(self, name, root=None):
        return pyatspi.findDescendant(root or self.board, lambda o: o.name == name)

    def press(self, name, root=None):
        button = self.named(name, root)
        action = button.queryAction()
        self.assertEqual(action.getName(0), 'Press')
        action.doAction(0)

    def level(self):
        counter = pyatspi.findDescendant(self.board, lambda o: o.name.startswith('Level') and o.name != 'Level:')
        counter.clearCache()
        return counter.name, counter.queryValue().currentValue

    def hears(self, *event):
        return self.listener.wait_for(lambda: event in self.listener.heard)

    def playback(self, length):
        # The lights a playback lights, in order, heard as their descriptions turn to Lit.
        start = len(self.listener.heard)
        lit = lambda: [name for kind, name, detail in self.listener.heard[start:]
                       if kind == 'accessible-description' and detail == 'Lit']
        self.listener.wait_for(lambda: len(lit()) == length)
        red = self.named('Red light')
        self.listener.wait_for(lambda: red.clearCache() or red.getState().contains(pyatspi.STATE_ENABLED))
        return lit()

    def test_a_round_is_played_and_followed_through_the_bus_alone(self):
        self.assertEqual(self.level(), ('Level: none yet', 0.0))
        self.assertEqual(self.named('Game Over').getRole(), pyatspi.ROLE_NOTIFICATION)

        self.press('New Game')
        self.assertTrue(self.hears('showing', 'Game Over', 0), self.listener.heard)
        self.assertTrue(self.hears('accessible-value', 'Level 0', 0.0), self.listener.heard)
        first = self.playback(1)
        self.assertEqual(len(first), 1, self.listener.heard)
        self.assertEqual(self.level(), ('Level 0', 0.0))

        self.press(first[0])
        self.assertTrue(self.hears('accessible-value', 'Level 1', 1.0), self.listener.heard)
        second = self.playback(2)
        self.assertEqual(second[0], first[0])

        wrong = next(n for n in ('Red light', 'Yellow light', 'Blue light', 'Green light') if n != first[0])
        self.press(wrong)
        self.assertTrue(self.hears('showing', 'Game Over', 1), self.listener.heard)

        # A score of 1 takes a place: the name entry asks with its question, OK by default.
        entry = self.listener.wait_for(lambda: self.named('New High Score', pyatspi.Registry.getDesktop(0)))
        self.assertIsNotNone(entry, 'no name entry window')
        field = pyatspi.findDescendant(entry, lambda o: o.getRole() == pyatspi.ROLE_TEXT)
        self.assertEqual(field.name, 'Enter in your name for the record books')
        self.assertTrue(field.getState().contains(pyatspi.STATE_FOCUSED))
        self.assertTrue(self.named('OK', entry).getState().contains(pyatspi.STATE_IS_DEFAULT))
        self.press('OK', entry)
        scores = self.listener.wait_for(lambda: self.named('High Scores', pyatspi.Registry.getDesktop(0)))
        self.assertIsNotNone(scores, 'no high scores window')
        self.press('Return to Tessaly', scores)
        self.assertEqual(self.level(), ('Level 1', 1.0))


if __name__ == '__main__':
    try:
        unittest.main(verbosity=2)
    finally:
        session.terminate()
