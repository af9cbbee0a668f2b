# SPDX-License-Identifier: MIT
"""The window's table and the core's answers, as pemdra_facts prints them, for the
checks written in Python: they take every caption, name, place, order and line from
there instead of a copy of their own."""

import json
import subprocess


class Facts:
    def __init__(self, tool):
        self.tool = tool
        self.table = json.loads(subprocess.run([tool], check=True, capture_output=True,
                                               text=True, encoding="utf-8").stdout)
        self.window = self.table["window"]
        self.controls = {c["name"]: c for c in self.table["controls"]}
        self.tab_order = self.table["tabOrder"]
        self.buttons = {b["name"]: b for b in self.table["buttons"]}
        self.convert_button = self.table["convertButton"]
        self.input_box = self.table["inputBox"]
        self.pi_box = self.table["piBox"]
        self.result_boxes = self.table["resultBoxes"]
        self.results_heading = self.table["resultsHeading"]
        self.pi_choices = self.table["piChoices"]
        self.caption_ties = dict(self.table["captionTies"])
        self._answers = {}

    def caption(self, name):
        return self.controls[name]["caption"]

    def name_of(self, name):
        return self.controls[name]["accessibleName"]

    def answer(self, angle, pi):
        """What the core leaves in each box for the angle and π: {"texts": {box: text},
        "results": [the result boxes' texts on screen, top to bottom], "announcement"}."""
        if (angle, pi) not in self._answers:
            out = subprocess.run([self.tool, angle, pi], check=True, capture_output=True,
                                 text=True, encoding="utf-8").stdout
            self._answers[angle, pi] = json.loads(out)
        return self._answers[angle, pi]
