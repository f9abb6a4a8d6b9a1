'''UDisks2 as the export tests need it (a python-dbusmock template).

The parameters (JSON) describe the drives and the block devices:

  {"calls": "/tmp/x/calls.txt",
   "drives": [{"name": "usb1", "removable": true, "bus": "usb",
               "can_power_off": true, "optical": false,
               "fail_power_off": false, "fail_eject": false}],
   "blocks": [{"name": "sdb1", "drive": "usb1", "label": "KOMISE",
               "usage": "filesystem", "mount_points": ["/tmp/x/KOMISE"],
               "mount_on": "/tmp/x/KOMISE", "hint_system": false,
               "filesystem": true, "fail_unmount": false, "fail_mount": false,
               "remove_mount_point": false}]}

A failure is true (an error of the service's usual kind) or an object
{"name": "<D-Bus error name>", "message": "<the daemon's text>"}: the call
then raises exactly that error, as the real daemon does, e.g.
  {"name": "org.freedesktop.UDisks2.Error.Failed",
   "message": "Error mounting /dev/sdb1 at /media/komise/CIZI: Filesystem type
               vfat not configured in kernel."}
With "remove_mount_point" an Unmount removes the mount point directory, as
UDisks2 removes the ones it made under /media.

Every call of Mount, Unmount, Eject and PowerOff is appended to the file
"calls" as "<object path> <method>", in the order the service got them.
'''

import shutil

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


def fail(failure, name, message):
    '''Raises the error a failure parameter asks for; nothing when it is off.'''
    if not failure:
        return
    if isinstance(failure, dict):
        name = failure.get('name', name)
        message = failure.get('message', message)
    raise dbus.exceptions.DBusException(message, name=name)


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

        def power_off(self, _options, d=d):
            record(self, 'PowerOff')
            fail(d.get('fail_power_off'), 'org.freedesktop.UDisks2.Error.Failed',
                 'Error powering off drive: the device cannot be powered off')

        def eject(self, _options, d=d):
            record(self, 'Eject')
            fail(d.get('fail_eject'), 'org.freedesktop.UDisks2.Error.Failed',
                 'Error ejecting /dev/' + d['name'] + ': the medium cannot be ejected')

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
            fail(b.get('fail_mount'), 'org.freedesktop.UDisks2.Error.NotAuthorized',
                 'Not authorized to perform operation')
            target = b['mount_on']
            self.props[FILESYSTEM]['MountPoints'] = mount_points([target])
            return target

        def unmount(self, _options, b=b):
            record(self, 'Unmount')
            fail(b.get('fail_unmount'), 'org.freedesktop.UDisks2.Error.DeviceBusy',
                 'Error unmounting /dev/' + b['name'] + ': target is busy')
            if b.get('remove_mount_point'):
                for point in self.props[FILESYSTEM]['MountPoints']:
                    shutil.rmtree(bytes(point).rstrip(b'\0').decode('utf-8'),
                                  ignore_errors=True)
            self.props[FILESYSTEM]['MountPoints'] = mount_points([])

        block.AddMethod(FILESYSTEM, 'Mount', 'a{sv}', 's', mount)
        block.AddMethod(FILESYSTEM, 'Unmount', 'a{sv}', '', unmount)
