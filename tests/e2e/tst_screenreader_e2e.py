"""The game as a screen reader meets it: on a private session bus with the accessibility bus
switched on as Orca does, a round is played and followed through AT-SPI alone."""
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

from gi.repository import Gio, GLib  # noqa: E402 (they take the bus address when imported)
import pyatspi  # noqa: E402

LIGHTS = ('Red light', 'Yellow light', 'Blue light', 'Green light')


def named(root, name):
    return pyatspi.findDescendant(root, lambda o: o.name == name)


class ScreenReaderEndToEnd(unittest.TestCase):
    def setUp(self):
        # Asking for the accessibility bus starts it; then the switches go on.
        bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
        bus.call_sync('org.a11y.Bus', '/org/a11y/bus', 'org.a11y.Bus', 'GetAddress', None, None, 0, 10000, None)
        for switch in ('IsEnabled', 'ScreenReaderEnabled'):
            bus.call_sync('org.a11y.Bus', '/org/a11y/bus', 'org.freedesktop.DBus.Properties', 'Set',
                          GLib.Variant('(ssv)', ('org.a11y.Status', switch, GLib.Variant('b', True))),
                          None, 0, 10000, None)
        self.heard = []
        pyatspi.Registry.registerEventListener(
            self.hear, 'object:state-changed:showing', 'object:property-change:accessible-description',
            'object:property-change:accessible-value')
        config = tempfile.TemporaryDirectory()
        self.addCleanup(config.cleanup)
        os.makedirs(os.path.join(config.name, 'Tessaly'))
        with open(os.path.join(config.name, 'Tessaly', 'Tessaly.ini'), 'w') as ini:
            ini.write('[Settings]\nSpeed=2\n')  # Fast: each light of a playback stays lit longest
        self.game = subprocess.Popen([os.environ['TESSALY_BINARY']], env=dict(
            os.environ, XDG_CONFIG_HOME=config.name, QT_QPA_PLATFORM='xcb', LC_ALL='C.UTF-8', LANGUAGE=''))
        self.addCleanup(self.game.wait, 10)
        self.addCleanup(self.game.terminate)
        self.board = self.window('Tessaly')
        self.assertIsNotNone(self.board, 'the board never appeared on the accessibility bus')

    def hear(self, event):
        source, kind = event.source, event.type.split(':')[-1]
        source.clearCache()
        detail = {'showing': lambda: event.detail1, 'accessible-description': lambda: source.description,
                  'accessible-value': lambda: source.queryValue().currentValue}[kind]()
        self.heard.append((kind, source.name, detail))

    def wait_for(self, found, seconds=10):
        # Events come on the main loop, so it turns while waiting.
        deadline = time.monotonic() + seconds
        while not found() and time.monotonic() < deadline:
            GLib.MainContext.default().iteration(False) or time.sleep(0.01)
        return found()

    def window(self, name):
        return self.wait_for(lambda: next((w for app in pyatspi.Registry.getDesktop(0)
                                           if app is not None and app.get_process_id() == self.game.pid
                                           for w in app if w.name == name), None))

    def press(self, name, root=None):
        action = named(root or self.board, name).queryAction()
        self.assertEqual(action.getName(0), 'Press')
        action.doAction(0)

    def level(self):
        counter = pyatspi.findDescendant(self.board, lambda o: o.name.startswith('Level') and o.name != 'Level:')
        counter.clearCache()
        return counter.name, counter.queryValue().currentValue

    def hears(self, *event):
        self.assertTrue(self.wait_for(lambda: event in self.heard), f'{event} not in {self.heard}')

    def playback(self):
        # The lights described Lit until the player's turn.
        start, red = len(self.heard), named(self.board, 'Red light')
        self.wait_for(lambda: red.clearCache() or red.getState().contains(pyatspi.STATE_ENABLED))
        return [name for kind, name, detail in self.heard[start:] if detail == 'Lit']

    def test_a_round_is_played_and_followed_through_the_bus_alone(self):
        self.assertEqual(self.level(), ('Level: none yet', 0.0))
        self.press('New Game')
        self.hears('showing', 'Game Over', 0)
        self.hears('accessible-value', 'Level 0', 0.0)
        first = self.playback()
        self.assertEqual(len(first), 1, self.heard)
        self.press(first[0])
        self.hears('accessible-value', 'Level 1', 1.0)
        second = self.playback()
        self.assertEqual((len(second), second[0]), (2, first[0]), self.heard)
        self.press(next(light for light in LIGHTS if light != first[0]))
        self.hears('showing', 'Game Over', 1)
        # A score of 1 takes a place: the name entry asks its question, OK the default.
        entry = self.window('New High Score')
        field = pyatspi.findDescendant(entry, lambda o: o.getRole() == pyatspi.ROLE_TEXT)
        self.assertEqual(field.name, 'Enter in your name for the record books')
        self.assertTrue(field.getState().contains(pyatspi.STATE_FOCUSED))
        self.assertTrue(named(entry, 'OK').getState().contains(pyatspi.STATE_IS_DEFAULT))
        self.press('OK', entry)
        self.press('Return to Tessaly', self.window('High Scores'))
        self.assertEqual(self.level(), ('Level 1', 1.0))


if __name__ == '__main__':
    try:
        unittest.main(verbosity=2)
    finally:
        session.terminate()
