// placeholder: the text facility is being written
