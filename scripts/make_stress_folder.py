#!/usr/bin/env python3
"""Makes ROOT/Video with N files for one stress run of the sorter, and ROOT/Other, which no run
may touch. The mix is a download folder's: about nine in ten are episodes of many series and
seasons (release tags, episode titles or none, lower case, subtitles beside the video), the rest
have no usable season-and-episode part. Every file holds its own name. The same N gives the same
folder."""
import os
import random
import sys

TAGS = [
    "720p.HDTV.x264-GRP", "1080p.WEB.h264-OTHER", "PDTV.XviD-TEAM", "2160p.HEVC.x265-4K",
    "DVDRip.XviD-CLASSIC", "480p.WEB.x264", "BDrip.AAC", "576p.PDTV", "WEB-DL", "",
]
TITLES = ["Pilot", "The.Return", "Cold.Case", "Finale", "Part.1", "Dinner", "Rivers.and.Oceans"]
OTHERS = [
    "notes-{i}.txt", "sample-{i}.mkv", "Show{i}.S1E2.720p.mkv", "Movie{i}.2019.1080p.mkv",
    "S01E02.Show{i}.mkv", "Show{i}.S01E02E03.720p.mkv", "Talk{i}.S12E100.mkv", "holiday-{i}.mp4",
]


def names(count: int):
    rnd = random.Random(count)
    others = count // 10
    for i in range(others):
        yield OTHERS[i % len(OTHERS)].format(i=i)
    made = others
    series = 0
    while made < count:
        tag = TAGS[series % len(TAGS)]
        title = "Series%04d.%s" % (series, rnd.choice(["Name", "The.Show", "Docu", "Aachen.Files"]))
        season_tag = "s%02de%02d" if series % 7 == 3 else "S%02dE%02d"
        for season in range(1, rnd.randint(2, 7)):
            for episode in range(1, rnd.randint(10, 51)):
                if made >= count:
                    return
                parts = [title, season_tag % (season, episode)]
                if episode % 3 == 1:
                    parts.append(rnd.choice(TITLES))
                if tag:
                    parts.append(tag)
                base = ".".join(parts)
                yield base + ".mkv"
                made += 1
                if made < count and episode % 20 == 7:
                    yield base + ".srt"
                    made += 1
        series += 1


def main() -> None:
    root, count = sys.argv[1], int(sys.argv[2])
    video = os.path.join(root, "Video")
    other = os.path.join(root, "Other")
    os.makedirs(video)
    os.makedirs(other)
    made = 0
    for name in names(count):
        with open(os.path.join(video, name), "x") as f:
            f.write(name)
        made += 1
    for name in ["Show.S01E01.720p.mkv", "README.txt"]:
        with open(os.path.join(other, name), "x") as f:
            f.write(name)
    assert made == count, made


if __name__ == "__main__":
    main()
