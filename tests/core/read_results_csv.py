# Reads a results CSV file with Python's csv module and prints it as JSON:
# the header, then every row with whole numbers and decimals converted, and
# the two times (local time, here UTC) as seconds since 1970.
import csv
import datetime
import json
import sys


def value(text):
    for convert in (int, float):
        try:
            return convert(text)
        except ValueError:
            pass
    return text


def seconds(text):
    moment = datetime.datetime.strptime(text, "%Y-%m-%d %H:%M:%S")
    return int(moment.replace(tzinfo=datetime.timezone.utc).timestamp())


with open(sys.argv[1], newline="", encoding="utf-8") as file:
    rows = list(csv.reader(file, strict=True))
body = [[seconds(row[0]), seconds(row[1])] + [value(field) for field in row[2:]] for row in rows[1:]]
json.dump({"header": rows[0], "rows": body}, sys.stdout, ensure_ascii=False)
