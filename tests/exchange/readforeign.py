# SPDX-License-Identifier: GPL-3.0-or-later
"""Reads a file Quillet exported with parsers written elsewhere and prints its items as JSON."""
import html.parser
import json
import sys

import icalendar
import vobject


def calendar(data):
    cal = icalendar.Calendar.from_ical(data)
    items = []
    for todo in cal.walk('VTODO'):
        item = {'uid': str(todo['UID']), 'summary': str(todo.get('SUMMARY', '')),
                'status': str(todo.get('STATUS', '')), 'priority': int(todo.get('PRIORITY', 0)),
                'stamped': 'DTSTAMP' in todo}
        for name in ('PERCENT-COMPLETE', 'DESCRIPTION', 'RRULE', 'X-QUILLET-STATUS'):
            if name in todo:
                item[name.lower()] = todo[name].to_ical().decode() if name == 'RRULE' else str(todo[name])
        for alarm in todo.walk('VALARM'):
            item['trigger'] = alarm['TRIGGER'].dt.strftime('%Y-%m-%dT%H:%M:%S%z')
            item['action'] = str(alarm['ACTION'])
            if 'ATTACH' in alarm:
                item['attach'] = str(alarm['ATTACH'])
        items.append(item)
    # A second reader must see the same items.
    second = vobject.readOne(data.decode('utf-8'))
    assert [(t.uid.value, t.summary.value) for t in second.contents.get('vtodo', [])] == \
        [(i['uid'], i['summary']) for i in items]
    # Quillet's own text properties, as this reader (a server's) takes them.
    for todo, item in zip(second.contents.get('vtodo', []), items):
        for alarm in todo.contents.get('valarm', []):
            if 'x-quillet-sound' in alarm.contents:
                item['sound'] = alarm.contents['x-quillet-sound'][0].value
    return items


def cards(data):
    items = []
    for card in vobject.readComponents(data.decode('utf-8')):
        emails = [[e.value, e.params.get('PREF', [''])[0]] for e in card.contents.get('email', [])]
        items.append({'uid': card.uid.value, 'fn': card.fn.value, 'version': card.version.value,
                      'family': card.n.value.family, 'given': card.n.value.given,
                      'title': card.title.value if 'title' in card.contents else '', 'emails': emails})
    return items


class Links(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.items, self.text = [], None

    def handle_starttag(self, tag, attrs):
        if tag == 'a':
            self.items.append({'href': dict(attrs)['href']})
            self.text = ''

    def handle_data(self, data):
        if self.text is not None:
            self.text += data
        elif self.items and data.strip():
            self.items[-1]['dd'] = data.strip()

    def handle_endtag(self, tag):
        if tag == 'a':
            self.items[-1]['text'], self.text = self.text, None


def bookmarks(data):
    text = data.decode('utf-8')
    assert text.startswith('<!DOCTYPE NETSCAPE-Bookmark-file-1>')
    parser = Links()
    parser.feed(text)
    return parser.items


kind, path = sys.argv[1], sys.argv[2]
with open(path, 'rb') as f:
    print(json.dumps({'ics': calendar, 'vcf': cards, 'html': bookmarks}[kind](f.read()), sort_keys=True))
