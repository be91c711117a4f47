'''A ModemManager stand-in for python3-dbusmock: the manager with, by the parameters, one
modem with or without messaging, and messages that can be created and sent.

Parameters:
  objectManager (True, False or "broken"; default True): the manager answers
    GetManagedObjects, does not, or answers it with a string
  modem ("none", "plain", "messaging"; default "messaging")
  failCreate, failSend (bool, default False): the modem refuses that step
  sendGate (a file path, default none): a slow network. Send writes the path + ".reached"
    when it begins and answers only once the file at the path exists
'''

import dbus

SYSTEM_BUS = True
BUS_NAME = 'org.freedesktop.ModemManager1'
MAIN_OBJ = '/org/freedesktop/ModemManager1'
MAIN_IFACE = 'org.freedesktop.ModemManager1'

MODEM_PATH = MAIN_OBJ + '/Modem/0'
MODEM_IFACE = 'org.freedesktop.ModemManager1.Modem'
MESSAGING_IFACE = 'org.freedesktop.ModemManager1.Modem.Messaging'
SMS_IFACE = 'org.freedesktop.ModemManager1.Sms'
SMS_STATE_STORED = 1
SMS_STATE_SENT = 5


def load(mock, parameters):
    manager = parameters.get('objectManager', True)
    if manager == 'broken':
        mock.AddMethod('org.freedesktop.DBus.ObjectManager', 'GetManagedObjects', '', 's', 'ret = "none"')
    elif manager:
        mock._set_up_object_manager()  # pylint: disable=protected-access
    kind = parameters.get('modem', 'messaging')
    if kind == 'none':
        return
    mock.AddObject(MODEM_PATH, MODEM_IFACE, {'Manufacturer': dbus.String('Test', variant_level=1)}, [])
    if kind != 'messaging':
        return
    modem = dbusmock_objects()[MODEM_PATH]
    if parameters.get('failCreate', False):
        create = ('raise dbus.exceptions.DBusException("refused", '
                  'name="org.freedesktop.ModemManager1.Error.Core.Failed")')
    else:
        send = ('raise dbus.exceptions.DBusException("no network", '
                'name="org.freedesktop.ModemManager1.Error.Core.Failed")'
                if parameters.get('failSend', False)
                else f'self.Set("{SMS_IFACE}", "State", dbus.UInt32({SMS_STATE_SENT}))')
        gate = parameters.get('sendGate')
        if gate:
            send = (f'import os, time\nopen({gate!r} + ".reached", "w").close()\n'
                    f'while not os.path.exists({gate!r}):\n    time.sleep(0.05)\n' + send)
        create = (f'path = "{MAIN_OBJ}/SMS/%d" % (len([k for k in objects if "/SMS/" in k]) + 1)\n'
                  f'self.AddObject(path, "{SMS_IFACE}", '
                  '{"Number": args[0]["number"], "Text": args[0]["text"], '
                  f'"State": dbus.UInt32({SMS_STATE_STORED})}}, '
                  f'[("Send", "", "", {send!r})])\n'
                  'ret = dbus.ObjectPath(path)')
    modem.AddProperties(MESSAGING_IFACE, {'Messages': dbus.Array([], signature='o', variant_level=1)})
    modem.AddMethods(MESSAGING_IFACE, [
        ('Create', 'a{sv}', 'o', create),
        ('Delete', 'o', '', 'self.RemoveObject(args[0])'),
    ])


def dbusmock_objects():
    from dbusmock import mockobject  # pylint: disable=import-outside-toplevel
    return mockobject.objects
