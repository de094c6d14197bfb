"""Writes one face of a TrueType collection as a standalone .ttf file.

usage: extract_face.py COLLECTION.ttc INDEX OUTPUT.ttf
"""
import sys

from fontTools.ttLib import TTCollection


def main(argv):
    if len(argv) != 4:
        sys.stderr.write(__doc__)
        return 2
    collection = TTCollection(argv[1])
    index = int(argv[2])
    if not 0 <= index < len(collection.fonts):
        sys.stderr.write("%s holds %d faces, no face %d\n" % (argv[1], len(collection.fonts), index))
        return 1
    collection.fonts[index].save(argv[3])
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
