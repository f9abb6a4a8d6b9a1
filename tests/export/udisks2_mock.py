'''UDisks2 as the export tests need it (a python-dbusmock template).

The parameters (JSON) describe the drives and the block devices:

  {"calls": "/tmp/x/calls.txt",
   "drives": [{"name": "usb1", "removable": true, "bus": "usb",
               "can_power_off": true, "optical": false}],
   "blocks": [{"name": "sdb1", "drive": "usb1", "label": "KOMISE",
               "usage": "filesystem", "mount_points": ["/tmp/x/KOMISE"],
               "mount_on": "/tmp/x/KOMISE", "hint_system": false,
               "filesystem": true, "fail_unmount": false, "fail_mount": false}]}

Every call of Mount, Unmount, Eject and PowerOff is appended to the file
"calls" as "<object path> <method>", in the order the service got them.
'''

import dbus

from dbusmock import mockobject

BUS_NAME = 'org.freedesktop.UDisks2'
MAIN_OBJ = '/org/freedesktop/UDisks2'
MAIN_IFACE = 'org.freedesktop.UDisks2.Manager'
SYSTEM_BUS = True
IS_OBJECT_MANAGER = True

BLOCK = 'org.freedesktop.UDisks2.Block'
FILESYSTEM = 'org.freedesktop.UDisks2.Filesystem'
DRIVE = 'org.freedesktop.UDisks2.Drive'


def byte_string(text):
    return dbus.ByteArray(text.encode('utf-8') + b'\0')


def mount_points(paths):
    return dbus.Array([byte_string(p) for p in paths], signature='ay')


def load(mock, parameters):
    calls = parameters.get('calls', '/dev/null')

    def record(obj, method):
        with open(calls, 'a', encoding='utf-8') as f:
            f.write(f'{obj.path} {method}\n')

    mock.AddProperties(MAIN_IFACE, {'Version': dbus.String('2.9.4')})

    for d in parameters.get('drives', []):
        path = '/org/freedesktop/UDisks2/drives/' + d['name']
        mock.AddObject(path, DRIVE, {
            'Removable': dbus.Boolean(d.get('removable', False)),
            'MediaRemovable': dbus.Boolean(d.get('removable', False)),
            'ConnectionBus': dbus.String(d.get('bus', '')),
            'CanPowerOff': dbus.Boolean(d.get('can_power_off', False)),
            'Ejectable': dbus.Boolean(d.get('removable', False)),
            'Optical': dbus.Boolean(d.get('optical', False)),
            'Vendor': dbus.String('Mock'),
            'Model': dbus.String(d['name']),
        }, [])
        drive = mockobject.objects[path]

        def power_off(self, _options):
            record(self, 'PowerOff')

        def eject(self, _options):
            record(self, 'Eject')

        drive.AddMethod(DRIVE, 'PowerOff', 'a{sv}', '', power_off)
        drive.AddMethod(DRIVE, 'Eject', 'a{sv}', '', eject)

    for b in parameters.get('blocks', []):
        path = '/org/freedesktop/UDisks2/block_devices/' + b['name']
        drive = b.get('drive')
        mock.AddObject(path, BLOCK, {
            'Device': byte_string('/dev/' + b['name']),
            'PreferredDevice': byte_string('/dev/' + b['name']),
            'Drive': dbus.ObjectPath('/org/freedesktop/UDisks2/drives/' + drive
                                     if drive else '/'),
            'IdLabel': dbus.String(b.get('label', '')),
            'IdUsage': dbus.String(b.get('usage', 'filesystem')),
            'IdType': dbus.String('vfat'),
            'HintSystem': dbus.Boolean(b.get('hint_system', False)),
            'HintIgnore': dbus.Boolean(False),
            'HintAuto': dbus.Boolean(not b.get('hint_system', False)),
            'ReadOnly': dbus.Boolean(False),
            'Size': dbus.UInt64(8 * 1024 * 1024 * 1024),
        }, [])
        if not b.get('filesystem', True):
            continue
        block = mockobject.objects[path]
        block.AddProperties(FILESYSTEM, {
            'MountPoints': mount_points(b.get('mount_points', [])),
            'Size': dbus.UInt64(8 * 1024 * 1024 * 1024),
        })

        def mount(self, _options, b=b):
            record(self, 'Mount')
            if b.get('fail_mount'):
                raise dbus.exceptions.DBusException(
                    'Not authorized', name='org.freedesktop.UDisks2.Error.NotAuthorized')
            target = b['mount_on']
            self.props[FILESYSTEM]['MountPoints'] = mount_points([target])
            return target

        def unmount(self, _options, b=b):
            record(self, 'Unmount')
            if b.get('fail_unmount'):
                raise dbus.exceptions.DBusException(
                    'Target is busy', name='org.freedesktop.UDisks2.Error.DeviceBusy')
            self.props[FILESYSTEM]['MountPoints'] = mount_points([])

        block.AddMethod(FILESYSTEM, 'Mount', 'a{sv}', 's', mount)
        block.AddMethod(FILESYSTEM, 'Unmount', 'a{sv}', '', unmount)
